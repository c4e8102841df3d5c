// The flow of the setup program: the INSTALL dialog, the drive, space and
// folder checks, the copy and the Start Menu group.
#include "install/Install.h"

#include <algorithm>
#include <vector>

#include "install/DdeConversation.h"
#include "install/InstallHooks.h"
#include "install/InstallRules.h"
#include "install/ProgramGroup.h"
#include "install/resource.h"

std::string g_szTarget;
std::string g_szSourceDir;
bool g_bCancelCopy = false;

namespace {

const char* const kFileErrorText =
    "An error has occurred during File copying. Check program disks and run Install again...";

// Steps 3 and 4 of the flow: what to do with the accepted target.
enum TargetResult { kTargetReady, kAskAgain };

}  // namespace

// The text in the code page the copying works in (the system's unless
// told); false when some character has no exact form there. (The code
// page's nearest look-alike, Windows' default, would name another file or
// folder: "Żółw" as "Zólw".) A double-byte character whose second byte is
// a backslash (表 in Japanese) is refused too: the path rules, which work
// on bytes, would take that byte for a separator.
bool InCodePage(const wchar_t* pszWide, std::string& text, UINT codePage)
{
    char buffer[2 * MAX_PATH + 1] = {};
    // UTF-8 has every character but half a pair, and takes no question of a
    // look-alike: asked one, the conversion fails.
    const bool utf8 = (codePage == CP_ACP ? GetACP() : codePage) == CP_UTF8;
    const DWORD kErrInvalidChars = 0x80;  // WC_ERR_INVALID_CHARS, of Windows Vista on
    BOOL bLossy = FALSE;
    int n = WideCharToMultiByte(codePage, utf8 ? kErrInvalidChars : WC_NO_BEST_FIT_CHARS, pszWide, -1, buffer,
                                sizeof buffer, nullptr, utf8 ? nullptr : &bLossy);
    text = n > 0 ? buffer : "";
    const std::wstring wide(pszWide);
    const auto separators = std::count(wide.begin(), wide.end(), L'\\');
    return n > 0 && !bLossy && std::count(text.begin(), text.end(), '\\') == separators;
}

namespace {

// install.exe's folder; in its short form where the code page cannot hold
// the long one (a user's folder named in another script).
bool TakeSourceDir()
{
    if (!InstallGetHooks().sourceDir.empty()) {
        g_szSourceDir = InstallGetHooks().sourceDir;
        return true;
    }
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A path that filled the buffer was cut short: no file can be found from it.
    if (length == 0 || length >= MAX_PATH)
        return false;
    if (!InCodePage(path, g_szSourceDir)) {
        wchar_t shortPath[MAX_PATH];
        length = GetShortPathNameW(path, shortPath, MAX_PATH);
        if (length == 0 || length >= MAX_PATH || !InCodePage(shortPath, g_szSourceDir))
            return false;
    }
    g_szSourceDir.erase(g_szSourceDir.find_last_of('\\') + 1);
    return true;
}

bool IsInstallDrive(const std::string& root)
{
    UINT type = GetDriveTypeA(root.c_str());
    return type == DRIVE_REMOVABLE || type == DRIVE_FIXED || type == DRIVE_REMOTE;
}

// The sizes of the source files; false when one is missing.
bool SourceSizes(std::vector<std::uint64_t>& sizes)
{
    for (const char* name : g_installFiles) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        std::string path = g_szSourceDir + name;
        if (path.size() >= MAX_PATH || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)
            || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
        sizes.push_back((std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    }
    return true;
}

bool EnoughSpace(const std::vector<std::uint64_t>& sizes)
{
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    BOOL queried = GetDiskFreeSpaceA(DriveRoot(g_szTarget).c_str(), &sectorsPerCluster, &bytesPerSector,
                                     &freeClusters, &totalClusters);
    // Each file takes whole clusters: 1 byte takes 32 KB on a large FAT32 drive.
    return FreeKilobytes(queried != FALSE, sectorsPerCluster, bytesPerSector, freeClusters)
        >= RequiredKilobytes(sizes, std::uint64_t(sectorsPerCluster) * bytesPerSector);
}

// Makes the target the current folder, creating its last level if needed.
bool UseTargetFolder()
{
    if (g_szTarget.size() > kMaxTargetLength)
        return false;
    return SetCurrentDirectoryA(g_szTarget.c_str())
        || (CreateDirectoryA(g_szTarget.c_str(), nullptr) && SetCurrentDirectoryA(g_szTarget.c_str()));
}

TargetResult PrepareTarget(const std::vector<std::uint64_t>& sizes)
{
    if (!EnoughSpace(sizes)) {
        InstallMessageBox(nullptr, NotEnoughSpaceText(g_szTarget[0]), "Drive Space", MB_OK | MB_ICONEXCLAMATION);
        return kAskAgain;
    }
    if (!UseTargetFolder()) {
        InstallMessageBox(nullptr, CannotCreateText(g_szTarget), "Drive", MB_OK | MB_ICONEXCLAMATION);
        return kAskAgain;
    }
    return kTargetReady;
}

// Installing into the folder install.exe runs from: the files are there already.
bool TargetIsSourceFolder()
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(g_szTarget.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full && SamePath(full, g_szSourceDir);
}

int CopyAndRegister(HINSTANCE hInstance)
{
    g_szTarget = WithBackslash(g_szTarget);
    if (!TargetIsSourceFolder()) {
        int result = CopyFiles(hInstance);
        if (result == kCopyFailed) {
            InstallMessageBox(nullptr, kFileErrorText, "File Error", MB_OK | MB_ICONEXCLAMATION);
            return kExitCopyFailed;
        }
        if (result == kCopyQuit)
            return kExitQuit;
    }
    if (!AddProgramItems()) {
        InstallMessageBox(nullptr,
                          "Problem adding application(s) to Windows Start Menu...\r\n\r\n"
                          "Run Install again after re-starting Windows...",
                          "DDE Error", MB_OK | MB_ICONEXCLAMATION);
        return kExitGroupFailed;
    }
    InstallMessageBox(nullptr, "Installation is complete", kInstallTitle, MB_OK);
    return kExitDone;
}

int RunInstall(HINSTANCE hInstance)
{
    bool bSourceFound = TakeSourceDir();
    for (;;) {
        if (DialogBoxParamA(hInstance, "INSTALL", nullptr, InstallDlgProc, 0) != IDOK)
            return kExitDone;
        std::vector<std::uint64_t> sizes;
        if (!bSourceFound || !SourceSizes(sizes)) {
            InstallMessageBox(nullptr, kFileErrorText, "File Error", MB_OK | MB_ICONEXCLAMATION);
            return kExitCopyFailed;
        }
        if (PrepareTarget(sizes) == kTargetReady)
            return CopyAndRegister(hInstance);
    }
}

// The width the label's text takes on one line in the label's font.
int OneLineWidth(HWND hLabel)
{
    char text[256] = {};
    GetWindowTextA(hLabel, text, sizeof text);
    HDC hdc = GetDC(hLabel);
    HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageA(hLabel, WM_GETFONT, 0, 0)));
    RECT rc = {};
    DrawTextA(hdc, text, -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(hdc, hOld);
    ReleaseDC(hLabel, hdc);
    return rc.right;
}

// The child's rectangle in the dialog's client coordinates.
RECT ChildRect(HWND hDlg, HWND hChild)
{
    RECT rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// Where the room right of a label ends: the nearest control beside it on
// its line, or the dialog's edge.
int RoomRightOf(HWND hDlg, HWND hLabel, const RECT& label)
{
    RECT client;
    GetClientRect(hDlg, &client);
    int limit = client.right;
    for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT rc = ChildRect(hDlg, h);
        if (h != hLabel && rc.left >= label.right && rc.top < label.bottom && rc.bottom > label.top)
            limit = std::min<int>(limit, rc.left);
    }
    return limit;
}

// A one-line label whose text would wrap, and so lose its second line, in
// this system's dialog font (some stand in for MS Sans Serif with wider
// letters) is widened into the room right of it, short of the next control.
void WidenCutLabels(HWND hDlg)
{
    const int kGap = 2;
    RECT oneLine = { 0, 0, 0, 8 };
    MapDialogRect(hDlg, &oneLine);
    for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        char cls[16] = {};
        GetClassNameA(h, cls, sizeof cls);
        RECT rc = ChildRect(hDlg, h);
        if (lstrcmpiA(cls, "Static") != 0 || rc.bottom - rc.top > oneLine.bottom)
            continue;
        int right = std::min<int>(rc.left + OneLineWidth(h), RoomRightOf(hDlg, h, rc) - kGap);
        if (right > rc.right)
            SetWindowPos(h, nullptr, 0, 0, right - rc.left, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER);
    }
}

// The typed target in the code page; false when it holds a character the
// code page lacks.
bool TypedTarget(HWND hDlg, std::string& target)
{
    wchar_t wide[256] = {};
    GetDlgItemTextW(hDlg, IDC_TARGET, wide, 256);
    return InCodePage(wide, target);
}

void OnInstallOk(HWND hDlg)
{
    std::string text;
    if (!TypedTarget(hDlg, text)) {
        InstallMessageBox(hDlg, CannotCreateText(text), "Drive", MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(hDlg, IDC_TARGET));
        return;
    }
    int check = CheckTargetPath(text, IsInstallDrive);
    if (check != kTargetOk) {
        MessageBeep(MB_ICONASTERISK);
        InstallMessageBox(hDlg, TargetCheckText(check), "Data Entry", MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(hDlg, IDC_TARGET));
        return;
    }
    g_szTarget = NormaliseTarget(text);
    EndDialog(hDlg, IDOK);
}

}  // namespace

int InstallMessageBox(HWND hOwner, const std::string& text, const char* caption, UINT nType)
{
    if (InstallGetHooks().messageBox)
        return InstallGetHooks().messageBox(hOwner, text, caption, nType);
    return MessageBoxA(hOwner, text.c_str(), caption, nType);
}

void CenterDialog(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 3;
    SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowTextA(hWnd, kInstallTitle);
}

INT_PTR CALLBACK InstallDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        CenterDialog(hDlg);
        WidenCutLabels(hDlg);
        // The edit keeps what is typed or pasted in UTF-16, so that a name the
        // code page cannot hold is seen as such instead of as look-alikes.
        SetWindowLongPtrW(GetDlgItem(hDlg, IDC_TARGET), GWLP_WNDPROC,
                          GetWindowLongPtrW(GetDlgItem(hDlg, IDC_TARGET), GWLP_WNDPROC));
        SendDlgItemMessageA(hDlg, IDC_TARGET, EM_LIMITTEXT, 255, 0);
        SetDlgItemTextA(hDlg, IDC_TARGET, g_szTarget.c_str());
        if (InstallGetHooks().dialogShown)
            InstallGetHooks().dialogShown("INSTALL", hDlg);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            OnInstallOk(hDlg);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(hDlg, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

int InstallMain(HINSTANCE hInstance)
{
    // An empty floppy or card reader answers the drive queries with an
    // error code instead of a system box asking for a disk.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    g_szTarget = kDefaultTarget;
    g_bCancelCopy = false;
    int result = RunInstall(hInstance);
    ReleaseDde();
    SetErrorMode(oldMode);
    return result;
}
