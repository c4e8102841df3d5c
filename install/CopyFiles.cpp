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

// Copies without overwriting; the test hook may stand in for the copy.
bool CopyToNewName(const std::string& source, const std::string& destination)
{
    if (InstallGetHooks().copyFile)
        return InstallGetHooks().copyFile(source, destination);
    return CopyFileA(source.c_str(), destination.c_str(), TRUE) != FALSE;
}

// Removes a temporary file of the copy, read-only or not.
void RemoveTempFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// Copies source into a new file in folder, named "~pl", a number and ".tmp":
// no longer than the shortest installed name, so the longest target folder
// still takes it. A failed copy leaves no part of the file behind.
bool CopyToTempFile(const std::string& source, const std::string& folder, std::string& temp)
{
    for (int n = 0; n < 100; ++n) {
        temp = folder + "~pl" + std::to_string(n) + ".tmp";
        if (GetFileAttributesA(temp.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;  // someone's file, or one left by an earlier run
        if (CopyToNewName(source, temp)) {
            // The copy carries the source's mark of a download, which would
            // have Windows warn at each start and the help show no page.
            DeleteFileA((temp + ":Zone.Identifier").c_str());
            return true;
        }
        // A file of that name came there since it was looked for: not ours.
        if (GetLastError() == ERROR_FILE_EXISTS)
            continue;
        RemoveTempFile(temp);
        return false;
    }
    return false;
}

// Clears the read-only flag that a copy from a CD or a read-only folder
// carries along: the program must be able to save its installed samples,
// and a read-only file cannot be replaced by the next installation.
bool MakeWritable(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)
        || !(attributes & FILE_ATTRIBUTE_READONLY))
        return true;  // no file there, or a writable one
    attributes &= ~FILE_ATTRIBUTE_READONLY;
    return SetFileAttributesA(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

// Copies one file over any older copy: first to a new file beside it, which
// then replaces the older one. A copy that fails (a full disk, a file in use)
// leaves the older copy as it was, and nothing else behind.
bool CopyOneFile(const std::string& source, const std::string& folder, const char* name)
{
    std::string destination = folder + name;
    std::string temp;
    if (source.size() >= MAX_PATH || destination.size() >= MAX_PATH || !CopyToTempFile(source, folder, temp))
        return false;
    if (MakeWritable(temp) && MakeWritable(destination)
        && MoveFileExA(temp.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    RemoveTempFile(temp);
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
        if (!CopyOneFile(g_szSourceDir + name, g_szTarget, name))
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
