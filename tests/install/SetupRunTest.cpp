// Runs the distribution folder's install.exe as a user would, from a copy in
// a folder named in Greek and Cyrillic: types a new
// folder into its dialog, presses OK and answers the closing box; checks the
// copied files and the Start Menu group that Wine's shell made; then starts
// the installed plotra.exe on an installed sample, presses F1 and checks that
// the help viewer shows the "Getting started" topic, and that Help Topics
// shows the contents. Saves screenshots of the INSTALL dialog and the help window.
//
//   setup_test <distribution folder> <screenshot folder>
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/install/TestFiles.h"
#include "tests/support/Screenshot.h"
#include "tests/support/WinePath.h"

namespace {

const char* const kFiles[] = { "plotra.exe", "plotra.hlp", "plotra.cnt", "plotra.chm",
                               "readme.txt", "plortest.plr", "elect.plr" };
const UINT kHelpFinder = 57667;  // the main menu's Help Topics
const UINT kHelpUsing = 57668;   // the main menu's Using Help

int g_failures = 0;

void Check(bool ok, const std::string& what)
{
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    if (!ok)
        ++g_failures;
}

std::string ClassOf(HWND hWnd)
{
    char name[128] = {};
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hWnd)
{
    std::string text(32768, '\0');
    DWORD_PTR length = 0;
    SendMessageTimeoutA(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, 5000, &length);
    text.resize(length);
    return text;
}

DWORD ProcessOf(HWND hWnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    return pid;
}

struct Search {
    const std::function<bool(HWND)>* accept;
    HWND found;
};

BOOL CALLBACK AcceptWindow(HWND hWnd, LPARAM lParam)
{
    Search* search = reinterpret_cast<Search*>(lParam);
    if (IsWindowVisible(hWnd) && (*search->accept)(hWnd)) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK AddChildText(HWND hChild, LPARAM lParam)
{
    *reinterpret_cast<std::string*>(lParam) += TextOf(hChild) + "\n";
    return TRUE;
}

// The first visible top-level window the predicate accepts, waiting up to timeoutMs.
HWND WaitForWindow(const std::function<bool(HWND)>& accept, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
        Search search = { &accept, nullptr };
        EnumWindows(AcceptWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return nullptr;
}

// The texts of a window's children, joined by new lines.
std::string ChildTexts(HWND hWnd)
{
    std::string texts;
    EnumChildWindows(hWnd, AddChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// Waits until one of the child windows' texts contains the wanted text.
bool WaitForChildText(HWND hWnd, const std::string& wanted, DWORD timeoutMs, std::string& seen)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
        seen = ChildTexts(hWnd);
        if (seen.find(wanted) != std::string::npos)
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    return false;
}

// The command line is UTF-8 (the paths here are ASCII or the folder below).
bool Start(const std::string& commandLine, PROCESS_INFORMATION& pi)
{
    std::wstring line = Utf16(commandLine);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    return CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != FALSE;
}

// The distribution copied into a folder named in scripts a Western code page
// lacks, as in a user's own folder: the setup program must find its files there.
std::string CopyToFolderInOtherScripts(const std::string& dist, const TempFolder& work)
{
    const std::string folder = work / "\xCE\x95\xCE\xBB\xCE\xAD\xCE\xBD\xCE\xB7 \xD0\x96\xD1\x83\xD0\xBA";  // Ελένη Жук
    CreateDirectoryW(Utf16(folder).c_str(), nullptr);
    CopyFileW(Utf16(dist + "\\install.exe", CP_ACP).c_str(), Utf16(folder + "\\install.exe").c_str(), FALSE);
    for (const char* name : kFiles)
        CopyFileW(Utf16(dist + "\\" + name, CP_ACP).c_str(), Utf16(folder + "\\" + name).c_str(), FALSE);
    return folder;
}

DWORD WaitForExit(PROCESS_INFORMATION& pi, DWORD timeoutMs)
{
    DWORD code = 259;
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 99);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

// Runs install.exe into target and answers its boxes; returns the box texts.
std::vector<std::string> RunInstaller(const std::string& dist, const std::string& target,
                                      const std::string& screenshots, DWORD& exitCode)
{
    std::vector<std::string> boxes;
    PROCESS_INFORMATION pi = {};
    if (!Start("\"" + dist + "\\install.exe\"", pi)) {
        exitCode = 98;
        return boxes;
    }
    DWORD pid = pi.dwProcessId;
    HWND hDlg = WaitForWindow([pid](HWND h) { return ProcessOf(h) == pid && GetDlgItem(h, 105); }, 30000);
    Check(hDlg != nullptr, "the INSTALL dialog opens");
    if (hDlg) {
        Check(TextOf(hDlg) == "Plotra Line Graphs", "its caption is \"Plotra Line Graphs\"");
        Check(TextOf(GetDlgItem(hDlg, 105)) == "C:\\Program Files\\Plotra", "it suggests C:\\Program Files\\Plotra");
        SavePicture(CaptureWindow(hDlg), screenshots + "\\install.png");
        SendMessageA(GetDlgItem(hDlg, 105), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
        PostMessageA(GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
    }
    // Every box it shows is answered with OK until it ends.
    for (int i = 0; i < 10 && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; ++i) {
        HWND hBox = WaitForWindow([pid, hDlg](HWND h) {
            return ProcessOf(h) == pid && h != hDlg && ClassOf(h) == "#32770" && !GetDlgItem(h, 105) && !GetDlgItem(h, 106);
        }, 30000);
        if (!hBox)
            break;
        std::string seen;
        WaitForChildText(hBox, "", 1000, seen);
        boxes.push_back(seen);
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        while (IsWindow(hBox) && WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT) {
        }
    }
    exitCode = WaitForExit(pi, 30000);
    return boxes;
}

void CheckInstalledFiles(const std::string& dist, const std::string& target)
{
    for (const char* name : kFiles) {
        std::string copy = ReadAll(target + "\\" + name);
        Check(copy != "<missing>" && copy == ReadAll(dist + "\\" + name), std::string(name) + " installed unchanged");
    }
}

// Wine's shell makes the group as a Start Menu folder and opens a window on
// it, which stays open: it is closed here. The help item opens the WinHelp
// file: the prefix runs without Wine's HTML engine, so HTML Help would show
// an empty window.
void CheckGroup(const std::string& target)
{
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
    std::string group = std::string(programs) + "\\Plotra";
    for (const char* link : { "Plotra Line Graphs.lnk", "Plotra Help.lnk", "Documentation.lnk" })
        Check(GetFileAttributesA((group + "\\" + link).c_str()) != INVALID_FILE_ATTRIBUTES,
              std::string("the group holds ") + link);
    Shortcut help;
    bool bRead = ReadShortcut(group + "\\Plotra Help.lnk", help);
    Check(bRead && help.path == target + "\\plotra.hlp", "its help item opens plotra.hlp (" + help.path + ")");
    HWND hFolder = WaitForWindow([](HWND h) { return TextOf(h) == "Plotra" && ClassOf(h) != "#32770"; }, 5000);
    std::printf("group folder window: %s\n", hFolder ? "closed" : "none");
    if (hFolder)
        PostMessageA(hFolder, WM_CLOSE, 0, 0);
    RemoveTree(group);
}

bool IsHelpWindow(HWND hWnd)
{
    return ClassOf(hWnd) == "MS_WINHELP";
}

const char* const kGettingStarted = "When Plotra starts without a file";
const char* const kContents = "Chapter 8: Installing Plotra";

void PressF1(HWND hMain)
{
    PostMessageA(hMain, WM_KEYDOWN, VK_F1, 1);
    PostMessageA(hMain, WM_KEYUP, VK_F1, 0xC0000001);
}

// Sends a key or a menu command to the program and waits until the help
// window shows a page with the wanted text.
void CheckHelpPage(HWND hMain, HWND hHelp, UINT command, const char* wanted, const std::string& what)
{
    if (command)
        PostMessageA(hMain, WM_COMMAND, command, 0);
    else
        PressF1(hMain);
    std::string seen;
    Check(WaitForChildText(hHelp, wanted, 15000, seen), what);
}

// F1, Using Help (which opens the file the startup macro names: this one)
// and Help Topics, each from a page the previous one left.
void CheckHelpCommands(HWND hMain, const std::string& screenshots)
{
    PressF1(hMain);
    HWND hHelp = WaitForWindow(IsHelpWindow, 30000);
    std::string seen;
    Check(hHelp && WaitForChildText(hHelp, kGettingStarted, 15000, seen), "F1 shows the Getting started topic");
    if (!hHelp)
        return;
    Sleep(500);  // the viewer lays out its text after it has filled it
    SavePicture(CaptureWindow(hHelp), screenshots + "\\help.png");
    std::printf("screenshot: %s\\help.png\n", screenshots.c_str());
    CheckHelpPage(hMain, hHelp, kHelpUsing, kContents, "Using Help shows this help's contents");
    CheckHelpPage(hMain, hHelp, 0, kGettingStarted, "F1 comes back to Getting started");
    CheckHelpPage(hMain, hHelp, kHelpFinder, kContents, "Help Topics shows the contents");
    PostMessageA(hHelp, WM_CLOSE, 0, 0);
}

void CheckInstalledProgram(const std::string& target, const std::string& screenshots)
{
    PROCESS_INFORMATION pi = {};
    Check(Start("\"" + target + "\\plotra.exe\" \"" + target + "\\plortest.plr\"", pi), "the installed plotra.exe starts");
    DWORD pid = pi.dwProcessId;
    HWND hMain = WaitForWindow([pid](HWND h) { return ProcessOf(h) == pid && GetMenu(h); }, 60000);
    Check(hMain && TextOf(hMain) == "plortest.plr - PLOTRA Line Graphs", "it opens the installed sample");
    if (hMain) {
        SetForegroundWindow(hMain);
        CheckHelpCommands(hMain, screenshots);
        PostMessageA(hMain, WM_CLOSE, 0, 0);
    }
    Check(WaitForExit(pi, 30000) == 0, "plotra.exe ends cleanly");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::printf("usage: setup_test <distribution folder> <screenshot folder>\n");
        return 2;
    }
    std::string dist = ToWindowsPath(argv[1]);
    std::string screenshots = ToWindowsPath(argv[2]);
    CreateDirectoryA(screenshots.c_str(), nullptr);
    TempFolder work("setup");
    std::string target = work / "Plotra";

    DWORD exitCode = 0;
    std::vector<std::string> boxes =
        RunInstaller(CopyToFolderInOtherScripts(dist, work), target, screenshots, exitCode);
    for (const std::string& box : boxes)
        std::printf("box: %s\n", box.c_str());
    Check(boxes.size() == 1 && boxes[0].find("Installation is complete") != std::string::npos,
          "the only box says \"Installation is complete\"");
    Check(exitCode == 0, "install.exe ends with code 0 (got " + std::to_string(exitCode) + ")");
    CheckInstalledFiles(dist, target);
    CheckGroup(target);
    CheckInstalledProgram(target, screenshots);
    std::printf(g_failures ? "setup test FAILED\n" : "setup test passed\n");
    return g_failures ? 1 : 0;
}
