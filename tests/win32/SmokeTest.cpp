// Starts plotra.exe on a sample file as a user would, waits for its main
// window, saves a screenshot of it and closes it again.
//
//   smoke_test <plotra.exe> <sample.plr> <screenshot.png>
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/ProcessWindows.h"
#include "tests/support/Screenshot.h"
#include "tests/support/WinePath.h"

namespace {

HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HWND hMain = FindProcessWindows(processId).hMain)
            return hMain;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return nullptr;
}

std::string FileNameOf(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The picture shows something: the window is not one flat colour.
bool HasContent(const Picture& picture)
{
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) != picture.At(0, 0))
                return true;
        }
    }
    return false;
}

int Fail(const char* what)
{
    std::printf("smoke test FAILED: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return Fail("usage: smoke_test <plotra.exe> <sample.plr> <screenshot.png>");
    std::string exe = ToWindowsPath(argv[1]);
    std::string sample = ToWindowsPath(argv[2]);
    std::string png = ToWindowsPath(argv[3]);
    CreateDirectoryA(png.substr(0, png.find_last_of('\\')).c_str(), nullptr);

    std::string commandLine = "\"" + exe + "\" \"" + sample + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return Fail("plotra.exe did not start");
    WaitForInputIdle(pi.hProcess, 30000);
    HWND hWnd = WaitForMainWindow(pi.dwProcessId, 60000);
    if (!hWnd)
        return Fail("no main window appeared");
    // A round trip through the window's thread: it has handled what was queued.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    SetForegroundWindow(hWnd);

    char title[256] = {};
    GetWindowTextA(hWnd, title, sizeof title);
    std::string expected = FileNameOf(sample) + " - PLOTRA Line Graphs";
    // The other process paints in its own time: wait until its client area
    // shows something.
    bool painted = false;
    for (DWORD start = GetTickCount(); !painted && GetTickCount() - start < 15000;) {
        painted = HasContent(CaptureWindow(hWnd, true));
        if (!painted)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    Picture picture = CaptureWindow(hWnd);
    bool saved = SavePicture(picture, png);
    std::printf("screenshot: %s (%d x %d)\n", argv[3], picture.width, picture.height);

    PostMessageA(hWnd, WM_CLOSE, 0, 0);
    bool ended = WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    DWORD exitCode = 1;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    if (expected != title) {
        std::printf("title: expected \"%s\", got \"%s\"\n", expected.c_str(), title);
        return Fail("wrong title");
    }
    if (!saved)
        return Fail("screenshot not written");
    if (!painted)
        return Fail("window is blank");
    if (!ended || exitCode != 0)
        return Fail("plotra.exe did not end cleanly after WM_CLOSE");
    std::printf("smoke test passed\n");
    return 0;
}
