// The copy loop with its modeless COPY dialog, which names each file and
// offers Cancel between two files.
#include "install/Install.h"
#include "install/InstallHooks.h"
#include "install/InstallRules.h"
#include "install/resource.h"

namespace {

// Handles what is waiting, so the dialog repaints and its Cancel button works.
void PumpMessages(HWND hDlg)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (hDlg && IsDialogMessageA(hDlg, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// What the copy may have changed of a destination file.
struct FileStamp {
    bool exists;
    WIN32_FILE_ATTRIBUTE_DATA data;
};

FileStamp StampOf(const std::string& path)
{
    FileStamp stamp = {};
    stamp.exists = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &stamp.data) != FALSE;
    return stamp;
}

bool Touched(const FileStamp& before, const FileStamp& after)
{
    return !before.exists || CompareFileTime(&before.data.ftLastWriteTime, &after.data.ftLastWriteTime) != 0
        || before.data.nFileSizeLow != after.data.nFileSizeLow || before.data.nFileSizeHigh != after.data.nFileSizeHigh;
}

// Copies one file over any older copy. A copy that fails part way (a full
// disk) leaves no truncated file behind; an older copy it never touched stays.
bool CopyOneFile(const std::string& source, const std::string& destination)
{
    if (source.size() >= MAX_PATH || destination.size() >= MAX_PATH)
        return false;
    FileStamp before = StampOf(destination);
    if (CopyFileA(source.c_str(), destination.c_str(), FALSE))
        return true;
    FileStamp after = StampOf(destination);
    if (after.exists && !(after.data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && Touched(before, after))
        DeleteFileA(destination.c_str());
    return false;
}

int CopyAll(HWND hDlg)
{
    for (const char* name : g_installFiles) {
        SetDlgItemTextA(hDlg, IDC_COPY_FILE, name);
        if (InstallGetHooks().beforeCopy)
            InstallGetHooks().beforeCopy(name, hDlg);
        PumpMessages(hDlg);
        if (g_bCancelCopy)
            return kCopyQuit;
        if (!CopyOneFile(g_szSourceDir + name, g_szTarget + name))
            return kCopyFailed;
    }
    return kCopyDone;
}

}  // namespace

int CopyFiles(HINSTANCE hInstance)
{
    HWND hDlg = CreateDialogParamA(hInstance, "COPY", nullptr, CopyDlgProc, 0);
    if (!hDlg)
        return kCopyFailed;
    ShowWindow(hDlg, SW_SHOW);
    int result = CopyAll(hDlg);
    DestroyWindow(hDlg);
    return result;
}

INT_PTR CALLBACK CopyDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        CenterDialog(hDlg);
        g_bCancelCopy = false;
        if (InstallGetHooks().dialogShown)
            InstallGetHooks().dialogShown("COPY", hDlg);
        return TRUE;
    case WM_COMMAND:
        // The Cancel button, Escape and the close box all arrive as IDCANCEL.
        if (LOWORD(wParam) == IDCANCEL
            && InstallMessageBox(hDlg, "Installation is not complete! Are you sure you want to quit?",
                                 kInstallTitle, MB_YESNO | MB_ICONQUESTION) == IDYES)
            g_bCancelCopy = true;
        return TRUE;
    default:
        return FALSE;
    }
}
