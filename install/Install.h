#pragma once
// The setup program: asks for a target folder, checks it, copies the
// program's files there and asks the shell for a Start Menu group.
#include <windows.h>

#include <string>

// Exit codes of install.exe.
enum InstallExit {
    kExitDone = 0,          // installed, or cancelled in the first dialog
    kExitCopyFailed = 1,
    kExitQuit = 2,          // the user quit while copying
    kExitGroupFailed = 3,   // files installed, Start Menu group not made
};

extern std::string g_szTarget;     // the target folder
extern std::string g_szSourceDir;  // the folder of install.exe, ending in a backslash
extern bool g_bCancelCopy;
extern DWORD g_ddeInstance;

int InstallMain(HINSTANCE hInstance);
// The wide text in the code page, exactly; false where it cannot be.
bool InCodePage(const wchar_t* pszWide, std::string& text, UINT codePage = CP_ACP);
INT_PTR CALLBACK InstallDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
void CenterDialog(HWND hWnd);
// Every box of the program goes through here (and the test hook).
int InstallMessageBox(HWND hOwner, const std::string& text, const char* caption, UINT nType);

// CopyFiles results.
enum CopyResult { kCopyDone = 0, kCopyFailed = 1, kCopyQuit = 2 };
int CopyFiles(HINSTANCE hInstance);
INT_PTR CALLBACK CopyDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
