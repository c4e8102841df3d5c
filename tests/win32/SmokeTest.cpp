// Starts plotra.exe on a sample file as a user would, waits for its main
// window and saves a screenshot of it; opens File Open's dialog and Print
// Preview (the program binds the common dialogs only when first needed),
// copies the graph, then closes it again: the copied picture stays on the
// clipboard. A second start opens files named in other scripts.
//
//   smoke_test <plotra.exe> <sample.plr> <screenshot.png>
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/FrameworkIds.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPrinter.h"
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

// Chooses File Open and waits for its dialog; answer (the name typed, or
// empty to cancel) is given and the dialog waited out. False when no dialog
// came, or when its first filter is not the program's.
bool AnswersOpenDialog(HWND hWnd, DWORD processId, const std::wstring& answer = std::wstring())
{
    PostMessageA(hWnd, WM_COMMAND, ID_FILE_OPEN, 0);
    HWND hDialog = nullptr;
    for (DWORD start = GetTickCount(); !hDialog && GetTickCount() - start < 30000;) {
        hDialog = FindProcessWindows(processId).hBox;
        if (!hDialog)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    if (!hDialog)
        return false;
    wchar_t filter[64] = {};
    SendDlgItemMessageW(hDialog, 0x470, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));  // cmb1
    // The name field: the explorer-style dialog's combo box, or the older edit.
    if (!answer.empty() && !SetDlgItemTextW(hDialog, 0x47c, answer.c_str()))
        SetDlgItemTextW(hDialog, 0x480, answer.c_str());
    PostMessageA(hDialog, WM_COMMAND, answer.empty() ? IDCANCEL : IDOK, 0);
    for (DWORD start = GetTickCount(); IsWindow(hDialog) && GetTickCount() - start < 30000;)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    return !IsWindow(hDialog) && std::wstring(filter) == L"Plotra Files (*.plr)";
}

// Opens Print Preview and closes it again; false when no preview came.
bool ShowsPrintPreview(HWND hWnd)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hWnd, WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0, SMTO_NORMAL, 30000, &result);
    HWND hPreview = GetDlgItem(hWnd, AFX_IDW_PREVIEW);
    if (!hPreview)
        return false;
    SendMessageTimeoutA(hPreview, WM_COMMAND, AFX_ID_PREVIEW_CLOSE, 0, SMTO_NORMAL, 30000, &result);
    return true;
}

// The title of another process's window, once its thread has handled what was queued.
std::wstring TitleOf(HWND hWnd)
{
    wchar_t title[256] = {};
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result))
        GetWindowTextW(hWnd, title, 256);
    return title;
}

// Starts the program on a command line in UTF-16, as the shell passes it;
// its main window, or null when none came.
HWND StartProgram(std::wstring commandLine, PROCESS_INFORMATION& pi)
{
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return nullptr;
    WaitForInputIdle(pi.hProcess, 30000);
    return WaitForMainWindow(pi.dwProcessId, 60000);
}

// Closes the program and waits for it; a program that does not end (one
// waiting on a message box) is ended, so that it never outlives the test.
// True when it ended by itself with exit code 0.
bool CloseProgram(HWND hWnd, PROCESS_INFORMATION& pi)
{
    if (hWnd)
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
    bool ended = WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 10000);
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended && exitCode == 0;
}

// Starts the program as the shell would (the command line in UTF-16) on a
// copy of the sample named in scripts no Western code page holds, then opens
// another such copy through File Open: the title must show each name. Saves
// a screenshot of the first beside png; closes the program again.
bool OpensNamesInAnyScript(const std::string& exe, const std::string& sample, const std::string& png)
{
    const std::wstring names[] = { L"Δοκιμή Тест 测试 📈.plr", L"Ελένη Жук 📉.plr" };
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    for (const std::wstring& name : names)
        CopyFileW(Utf16(sample, CP_ACP).c_str(), (temp + name).c_str(), FALSE);
    PROCESS_INFORMATION pi = {};
    HWND hWnd = StartProgram(L"\"" + Utf16(exe, CP_ACP) + L"\" \"" + temp + names[0] + L"\"", pi);
    bool shown = hWnd && TitleOf(hWnd) == names[0] + L" - PLOTRA Line Graphs" &&
                 SavePicture(CaptureWindow(hWnd), png.substr(0, png.find_last_of('\\')) + "\\file-name-title.png") &&
                 AnswersOpenDialog(hWnd, pi.dwProcessId, temp + names[1]) &&
                 TitleOf(hWnd) == names[1] + L" - PLOTRA Line Graphs";
    if (pi.hProcess)
        CloseProgram(hWnd, pi);
    for (const std::wstring& name : names)
        DeleteFileW((temp + name).c_str());
    return shown;
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

    std::string printerError;
    bool printer = InstallDefaultTestPrinter("plotra-smoke.ps", printerError);

    PROCESS_INFORMATION pi = {};
    HWND hWnd = StartProgram(L"\"" + Utf16(exe, CP_ACP) + L"\" \"" + Utf16(sample, CP_ACP) + L"\"", pi);
    if (!hWnd) {
        if (!pi.hProcess)
            return Fail("plotra.exe did not start");
        CloseProgram(nullptr, pi);
        return Fail("no main window appeared");
    }
    const std::wstring title = TitleOf(hWnd);
    SetForegroundWindow(hWnd);
    const std::wstring expected = Utf16(FileNameOf(sample), CP_ACP) + L" - PLOTRA Line Graphs";
    // The other process paints in its own time: wait until its client area
    // shows something, without asking for a repaint that could be caught
    // half done.
    bool painted = false;
    for (DWORD start = GetTickCount(); !painted && GetTickCount() - start < 15000;) {
        painted = HasContent(ReadWindowPixels(hWnd, true));
        if (!painted)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    Picture picture = ReadWindowPixels(hWnd, false);
    bool saved = SavePicture(picture, png);
    std::printf("screenshot: %s (%d x %d)\n", argv[3], picture.width, picture.height);
    bool openDialog = AnswersOpenDialog(hWnd, pi.dwProcessId);
    bool preview = printer && ShowsPrintPreview(hWnd);
    if (!printer)
        std::printf("Print Preview not tried: no test printer (%s)\n", printerError.c_str());

    DWORD_PTR result = 0;
    SendMessageTimeoutA(hWnd, WM_COMMAND, ID_EDIT_COPY, 0, SMTO_NORMAL, 30000, &result);

    bool ended = CloseProgram(hWnd, pi);
    ENHMETAHEADER copied = {};
    if (OpenClipboard(nullptr)) {
        if (HENHMETAFILE hCopied = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE)))
            GetEnhMetaFileHeader(hCopied, sizeof copied, &copied);
        CloseClipboard();
    }
    bool anyScript = OpensNamesInAnyScript(exe, sample, png);

    if (expected != title) {
        std::printf("title: expected \"%ls\", got \"%ls\"\n", expected.c_str(), title.c_str());
        return Fail("wrong title");
    }
    if (!saved)
        return Fail("screenshot not written");
    if (!painted)
        return Fail("window is blank");
    if (!openDialog)
        return Fail("File Open showed no dialog with the program's filter");
    if (printer && !preview)
        return Fail("Print Preview did not open");
    if (!ended)
        return Fail("plotra.exe did not end cleanly after WM_CLOSE");
    if (!anyScript)
        return Fail("files named in other scripts did not open by command line and File Open, names shown");
    // The title, labels, axes and every point: well over a hundred records.
    if (copied.nRecords < 100)
        return Fail("the copied picture did not outlive the program");
    std::printf("smoke test passed\n");
    return 0;
}
