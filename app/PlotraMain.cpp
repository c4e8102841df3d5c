// The program's one application object.
#include "app/PlorApp.h"

CPlorApp theApp;
