#include "install/Install.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    // The manifest asks for version 6 of the common controls, whose buttons
    // and edits stand in for user32's; Windows XP shows them only once the
    // library is loaded.
    InitCommonControls();
    return InstallMain(hInstance);
}
