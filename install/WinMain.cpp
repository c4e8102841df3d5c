#include "install/Install.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return InstallMain(hInstance);
}
