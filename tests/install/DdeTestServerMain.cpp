// Stands in for the Program Manager that the setup program starts when the
// service does not answer:
//   dde_test_server SERVICE LOGFILE
// notes its start in LOGFILE, then serves SERVICE until the four group
// commands have come or five seconds have passed. A windows program, so that
// the setup program's wait for it to become idle has something to wait for.
#include <windows.h>

#include <cstdlib>

#include "tests/install/InstallHarness.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 3)
        return 2;
    HANDLE hLog = CreateFileA(__argv[2], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              0, nullptr);
    DWORD written = 0;
    WriteFile(hLog, "started\n", 8, &written, nullptr);
    CloseHandle(hLog);
    TestDdeServer server(__argv[1]);
    // Served from here on: the empty queue below tells the waiting setup program.
    MSG msg;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000 && server.Commands().size() < 4;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return 0;
}
