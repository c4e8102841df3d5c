#include "install/Install.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    // Run as administrator from a download folder, the setup must not load a
    // library someone left there: whatever it loads, and what that loads in
    // turn, comes from the system folder. (The call came with Windows 8 and an
    // update of 7; without it the search is the system's default.)
    using SetDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    const DWORD kSearchSystem32 = 0x800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    auto setDirectories = reinterpret_cast<SetDllDirectoriesCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDirectories)
        setDirectories(kSearchSystem32);
    // The manifest asks for version 6 of the common controls, whose buttons
    // and edits stand in for user32's; Windows XP shows them only once the
    // library is loaded.
    InitCommonControls();
    return InstallMain(hInstance);
}
