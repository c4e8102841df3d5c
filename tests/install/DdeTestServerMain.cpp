// Stands in for the Program Manager that the setup program starts when the
// service does not answer: a copy of this program named PROGMAN.EXE, started
// without arguments. It notes its start in started.log beside itself, then
// serves the service that PLOTRA_TEST_SERVICE names until the four group
// commands have come or five seconds have passed. A windows program, so that
// the setup program's wait for it to become idle has something to wait for.
#include <windows.h>

#include <string>

#include "tests/install/InstallHarness.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string log(path, length);
    log = log.substr(0, log.find_last_of('\\') + 1) + "started.log";
    char service[100] = {};
    if (!GetEnvironmentVariableA("PLOTRA_TEST_SERVICE", service, sizeof service))
        return 2;
    HANDLE hLog = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              0, nullptr);
    DWORD written = 0;
    WriteFile(hLog, "started\n", 8, &written, nullptr);
    CloseHandle(hLog);
    TestDdeServer server(service);
    // Served from here on: the empty queue below tells the waiting setup program.
    MSG msg;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000 && server.Commands().size() < 4;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return 0;
}
