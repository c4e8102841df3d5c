// Times plotra.exe as a user meets it: started on a data file, the large-file
// warning answered at once, until its window has painted the graph; then a
// forced full repaint, Print Preview's first page, Copy and a paste of its
// metafile here (the program hands it over only when asked); with the peak
// working set of the process. Windows build only.
//
//   startup_benchmark <plotra.exe> <file.plr> <label> [width height]
//
// The window gets the given size (720 x 520 unless told) through the start-up
// information, so it paints at that size from the first.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/resource.h"
#include "framework/FrameworkIds.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/TestPrinter.h"
#include "tests/support/WinePath.h"

namespace {

const DWORD kTimeoutMs = 120000;
// How often the program's windows are looked for. Each look asks the window
// server about every top-level window; asked every millisecond, it took from
// the program the processors it starts on (0.03 s of a 0.42 s start on
// two processors), far more than the few milliseconds a slower look can add.
const DWORD kLookEveryMs = 5;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency.QuadPart;
}

// Waits for the main window, answering every message box on the way with
// its default button. Null after the timeout.
HWND WaitForMainWindow(DWORD processId, int& boxesAnswered, double& firstBox)
{
    HWND hAnswered = nullptr;
    for (double start = Now(); Now() - start < kTimeoutMs / 1000.0;) {
        ProcessWindows search = FindProcessWindows(processId);
        if (search.hBox) {
            // The box stays on the screen until its thread has read the answer.
            if (search.hBox != hAnswered) {
                if (!hAnswered)
                    firstBox = Now();
                PostMessageA(search.hBox, WM_COMMAND, IDOK, 0);
                hAnswered = search.hBox;
                ++boxesAnswered;
            }
            Sleep(kLookEveryMs);
            continue;
        }
        if (search.hMain)
            return search.hMain;
        Sleep(kLookEveryMs);
    }
    return nullptr;
}

// Returns once hWnd's thread has painted all that was invalid in hWnd: its
// update region is empty (emptied when a paint begins) and a message sent
// afterwards has been handled (so the paint has ended).
void WaitUntilPainted(HWND hWnd, HWND hThreadWindow)
{
    for (double start = Now(); GetUpdateRect(hWnd, nullptr, FALSE) && Now() - start < kTimeoutMs / 1000.0;)
        Sleep(0);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hThreadWindow, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &result);
}

double PeakMegabytes(HANDLE hProcess)
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(hProcess, &pmc, sizeof pmc);
    return pmc.PeakWorkingSetSize / (1024.0 * 1024.0);
}

double TimeRepaint(HWND hView, HWND hMain)
{
    double start = Now();
    InvalidateRect(hView, nullptr, TRUE);
    WaitUntilPainted(hView, hMain);
    return Now() - start;
}

// Opens Print Preview and times it until its first page is painted; closes it
// again. Negative when no preview came (no printer).
double TimePreview(HWND hMain)
{
    double start = Now();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hMain, WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0, SMTO_NORMAL, kTimeoutMs, &result);
    HWND hPreview = GetDlgItem(hMain, AFX_IDW_PREVIEW);
    if (!hPreview)
        return -1.0;
    WaitUntilPainted(hPreview, hMain);
    double seconds = Now() - start;
    SendMessageTimeoutA(hPreview, WM_COMMAND, AFX_ID_PREVIEW_CLOSE, 0, SMTO_NORMAL, kTimeoutMs, &result);
    return seconds;
}

// Takes the copied metafile from the clipboard, as a program pasting it
// does; negative when there is none.
double TimePaste()
{
    double start = Now();
    HANDLE hPicture = nullptr;
    if (OpenClipboard(nullptr)) {
        hPicture = GetClipboardData(CF_ENHMETAFILE);
        CloseClipboard();
    }
    return hPicture ? Now() - start : -1.0;
}

double TimeCopy(HWND hMain)
{
    double start = Now();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hMain, WM_COMMAND, ID_EDIT_COPY, 0, SMTO_NORMAL, kTimeoutMs, &result);
    return Now() - start;
}

// Opens Graph Data and times it until the dialog and its grid have painted;
// cancels it again. Negative when no dialog came.
double TimeGraphData(HWND hMain, DWORD processId)
{
    double start = Now();
    // Posted: the dialog runs its own loop until it is closed.
    PostMessageA(hMain, WM_COMMAND, ID_EDIT_GRAPH_DATA, 0);
    HWND hDialog = nullptr;
    while (!(hDialog = FindProcessWindows(processId).hBox) && Now() - start < kTimeoutMs / 1000.0)
        Sleep(0);
    if (!hDialog)
        return -1.0;
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
        WaitUntilPainted(hChild, hDialog);
    WaitUntilPainted(hDialog, hDialog);
    double seconds = Now() - start;
    PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
    while (FindProcessWindows(processId).hBox && Now() - start < kTimeoutMs / 1000.0)
        Sleep(1);
    return seconds;
}

int Fail(const char* what)
{
    std::printf("startup benchmark FAILED: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return Fail("usage: startup_benchmark <plotra.exe> <file.plr> <label> [width height]");
    std::string exe = ToWindowsPath(argv[1]);
    std::string file = ToWindowsPath(argv[2]);
    const char* label = argv[3];
    std::string error;
    // Print Preview needs a printer; the tests' one prints into a file.
    bool printer = InstallDefaultTestPrinter("plotra-bench.ps", error);

    std::string commandLine = "\"" + exe + "\" \"" + file + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESIZE;
    si.dwXSize = argc > 5 ? std::atoi(argv[4]) : 720;
    si.dwYSize = argc > 5 ? std::atoi(argv[5]) : 520;
    PROCESS_INFORMATION pi = {};
    double start = Now();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return Fail("plotra.exe did not start");
    int boxes = 0;
    double firstBox = start;
    HWND hMain = WaitForMainWindow(pi.dwProcessId, boxes, firstBox);
    if (!hMain)
        return Fail("no main window appeared");
    double visible = Now() - start;
    HWND hView = GetWindow(hMain, GW_CHILD);
    WaitUntilPainted(hView, hMain);
    double shown = Now() - start;
    double peakShown = PeakMegabytes(pi.hProcess);

    double repaint = 1e9;
    for (int i = 0; i < 3; ++i) {
        double t = TimeRepaint(hView, hMain);
        repaint = t < repaint ? t : repaint;
    }
    double preview = printer ? TimePreview(hMain) : -1.0;
    double copy = TimeCopy(hMain);
    double peak = PeakMegabytes(pi.hProcess);
    double paste = TimePaste();
    double graphData = TimeGraphData(hMain, pi.dwProcessId);
    RECT rc = {};
    GetClientRect(hView, &rc);

    PostMessageA(hMain, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, kTimeoutMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    std::printf("%-8s view %ld x %ld: start to graph shown %.3f s (", label, rc.right, rc.bottom, shown);
    if (boxes > 0)
        std::printf("warning at %.3f s, ", firstBox - start);
    std::printf("window at %.3f s), repaint %.1f ms, ", visible, repaint * 1000.0);
    if (preview >= 0.0)
        std::printf("preview first page %.3f s, ", preview);
    else
        std::printf("preview: no printer (%s), ", error.c_str());
    std::printf("copy %.3f s, its metafile pasted %.3f s, Graph Data opens %.3f s; peak working set %.1f MiB when "
                "shown, %.1f MiB after the copy\n", copy, paste, graphData, peakShown, peak);
    return 0;
}
