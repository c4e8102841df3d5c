#include "framework/WinApp.h"

#include <htmlhelp.h>

#include <cstring>
#include <vector>

#include "framework/CmdUI.h"
#include "framework/CommandLine.h"
#include "framework/DialogColors.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FrameworkIds.h"
#include "framework/PrintPreviewWnd.h"
#include "framework/RecentFileList.h"
#include "framework/ShellCalls.h"
#include "framework/ShellRegistry.h"
#include "framework/UiHooks.h"
#include "framework/WideText.h"
#include "framework/Wnd.h"

namespace {

CWinApp* g_pApp = nullptr;

// The profile's sections this layer keeps.
const char kRecentFileSection[] = "Recent File List";
const char kSettingsSection[] = "Settings";

HGLOBAL CopyGlobal(HGLOBAL hSource)
{
    if (!hSource)
        return nullptr;
    SIZE_T size = GlobalSize(hSource);
    HGLOBAL hCopy = GlobalAlloc(GMEM_MOVEABLE, size);
    const void* pSource = GlobalLock(hSource);
    void* pCopy = hCopy ? GlobalLock(hCopy) : nullptr;
    if (pSource && pCopy)
        memcpy(pCopy, pSource, size);
    if (pCopy)
        GlobalUnlock(hCopy);
    if (pSource)
        GlobalUnlock(hSource);
    if (hCopy && !(pSource && pCopy)) {
        GlobalFree(hCopy);
        hCopy = nullptr;
    }
    return hCopy;
}

CString ModulePath()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return AfxUtf8(path, static_cast<int>(n < MAX_PATH ? n : 0));
}

bool FileExists(const char* pszPath)
{
    return GetFileAttributesW(AfxWide(pszPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

AfxUiHooks& AfxGetUiHooks()
{
    static AfxUiHooks hooks;
    return hooks;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

int AfxMessageBox(const char* pszText, UINT nType)
{
    return AfxMessageBox(nullptr, pszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType);
}

int AfxMessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType)
{
    if (g_pApp)
        return g_pApp->DoMessageBox(pszText, nType, pszCaption, hOwner);
    // Without an application object (a tool using the document alone) the
    // hooks still answer.
    const char* caption = pszCaption ? pszCaption : "";
    if (AfxGetUiHooks().messageBox)
        return AfxGetUiHooks().messageBox(pszText, nType, caption);
    return ::MessageBoxW(hOwner, AfxWide(pszText).c_str(), AfxWide(caption).c_str(), nType);
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* pszAppName)
{
    g_pApp = this;
    if (pszAppName)
        m_strAppName = pszAppName;
    else
        m_strAppName.LoadString(AFX_IDS_APP_TITLE);
    m_pszAppName = m_strAppName;

    CString path = ModulePath();
    int dot = path.ReverseFind('.');
    CString base = dot > path.ReverseFind('\\') ? path.Left(dot) : path;
    m_strHelpFilePath = base + ".HLP";
    m_strHtmlHelpFilePath = base + ".chm";
    m_strExeName = base.Mid(base.ReverseFind('\\') + 1);
    m_strProfileName = m_strExeName + ".INI";
}

CWinApp::~CWinApp()
{
    delete m_pDocTemplate;
    if (m_hDlgBkBrush)
        DeleteObject(m_hDlgBkBrush);
    if (m_atomApp)
        GlobalDeleteAtom(m_atomApp);
    if (m_atomSystemTopic)
        GlobalDeleteAtom(m_atomSystemTopic);
    SelectPrinter(nullptr, nullptr);
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return m_pMainWnd && CWnd::WalkPreTranslateTree(m_pMainWnd->m_hWnd, pMsg);
}

int CWinApp::Run()
{
    if (!m_pMainWnd)
        return ExitInstance();
    AfxLoadCommonDialogsAhead();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    ExitInstance();
    return static_cast<int>(msg.wParam);
}

int CWinApp::ExitInstance()
{
    AfxCloseHtmlHelp();
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
    if (m_nNumPreviewPages != 0)
        WriteProfileInt(kSettingsSection, "PreviewPages", m_nNumPreviewPages);
    return 0;
}

void CWinApp::BeginWaitCursor()
{
    ++m_nWaitCursorCount;
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void CWinApp::EndWaitCursor()
{
    if (m_nWaitCursorCount > 0 && --m_nWaitCursorCount == 0)
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

int CWinApp::DoMessageBox(const char* pszText, UINT nType, const char* pszCaption, HWND hOwner)
{
    // The user is asked something: no wait cursor while the box is up.
    int waits = m_nWaitCursorCount;
    m_nWaitCursorCount = 0;
    int answer = ShowMessageBox(pszText, nType, pszCaption, hOwner);
    m_nWaitCursorCount = waits;
    return answer;
}

int CWinApp::ShowMessageBox(const char* pszText, UINT nType, const char* pszCaption, HWND hOwner)
{
    const char* caption = pszCaption ? pszCaption : m_pszAppName;
    if (AfxGetUiHooks().messageBox)
        return AfxGetUiHooks().messageBox(pszText, nType, caption);
    if (!hOwner) {
        hOwner = m_pMainWnd ? GetLastActivePopup(m_pMainWnd->m_hWnd) : GetActiveWindow();
        if (hOwner && !IsWindowEnabled(hOwner))
            hOwner = GetActiveWindow();
    }
    CMessageBoxColors colors(m_hDlgBkBrush, m_crDlgBk, m_crDlgText);
    return ::MessageBoxW(hOwner, AfxWide(pszText).c_str(), AfxWide(caption).c_str(), nType);
}

void CWinApp::SetDialogBkColor(COLORREF clrCtlBk, COLORREF clrCtlText)
{
    if (m_hDlgBkBrush)
        DeleteObject(m_hDlgBkBrush);
    m_hDlgBkBrush = CreateSolidBrush(clrCtlBk);
    m_crDlgBk = clrCtlBk;
    m_crDlgText = clrCtlText;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU > 0) {
        m_pRecentFileList.reset(new CRecentFileList(ID_FILE_MRU_FILE1, kRecentFileSection, "File%d", nMaxMRU));
        m_pRecentFileList->ReadList();
    }
    m_nNumPreviewPages = GetProfileInt(kSettingsSection, "PreviewPages", 0);
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* pTemplate)
{
    delete m_pDocTemplate;
    m_pDocTemplate = pTemplate;
}

void CWinApp::EnableShellOpen()
{
    if (!m_atomApp)
        m_atomApp = GlobalAddAtomA(m_strExeName);
    if (!m_atomSystemTopic)
        m_atomSystemTopic = GlobalAddAtomA("system");
}

void CWinApp::RegisterShellFileTypes(BOOL)
{
    if (m_pDocTemplate)
        AfxRegisterShellFileType(*m_pDocTemplate);
}

namespace {

// The folder of that name in the user's application-data folder, created
// when missing; empty when the system names no such folder or it cannot be
// made. The environment names it on every Windows since 2000 and costs no
// shell library at start-up.
CString UserDataFolder(const char* pszFolder)
{
    wchar_t appData[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return CString();
    CString folder = AfxUtf8(appData) + "\\" + pszFolder;
    if (!CreateDirectoryW(AfxWide(folder).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return CString();
    return folder;
}

// Whether a profile is kept in UTF-16: it starts with the byte-order mark,
// by which Windows then writes it in UTF-16 too, so that every file name
// survives. One in the code page holds only the names the code page has.
bool IsUtf16Profile(const CString& path)
{
    HANDLE hFile = CreateFileW(AfxWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    unsigned char mark[2] = {};
    DWORD got = 0;
    bool utf16 = ReadFile(hFile, mark, sizeof mark, &got, nullptr) && got == 2 && mark[0] == 0xFF && mark[1] == 0xFE;
    CloseHandle(hFile);
    return utf16;
}

// Copies the sections the framework keeps from one profile to a new UTF-16
// one, which exists afterwards even when there was nothing to copy.
bool TakeOverProfile(const CString& from, const CString& to)
{
    HANDLE hFile = CreateFileW(AfxWide(to).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    const unsigned char mark[2] = { 0xFF, 0xFE };
    DWORD written = 0;
    bool ok = WriteFile(hFile, mark, sizeof mark, &written, nullptr) && written == sizeof mark;
    CloseHandle(hFile);
    const std::wstring source = AfxWide(from);
    const std::wstring target = AfxWide(to);
    for (const char* section : { kRecentFileSection, kSettingsSection }) {
        // Room for the section, grown as long as it is filled: four recent
        // files may each have a name of 32,767 characters.
        std::vector<wchar_t> entries(8192);
        const std::wstring name = AfxWide(section);
        DWORD n;
        while ((n = GetPrivateProfileSectionW(name.c_str(), entries.data(), static_cast<DWORD>(entries.size()),
                                              source.c_str())) >= entries.size() - 2 && entries.size() < (1u << 22))
            entries.resize(entries.size() * 2);
        if (n >= entries.size() - 2)
            ok = false;
        else if (n > 0)
            ok = WritePrivateProfileSectionW(name.c_str(), entries.data(), target.c_str()) && ok;
    }
    if (!ok)
        DeleteFileW(target.c_str());
    return ok;
}

// Rewrites a profile kept in the code page in UTF-16; where that fails the
// old one stays as it was.
void ConvertToUtf16Profile(const CString& profile)
{
    const CString fresh = profile + ".new";
    DeleteFileW(AfxWide(fresh).c_str());
    if (!TakeOverProfile(profile, fresh))
        return;
    if (!MoveFileExW(AfxWide(fresh).c_str(), AfxWide(profile).c_str(), MOVEFILE_REPLACE_EXISTING))
        DeleteFileW(AfxWide(fresh).c_str());
}

}  // namespace

void CWinApp::SetUserProfileFolder(const char* pszFolder)
{
    CString folder = UserDataFolder(pszFolder);
    if (folder.IsEmpty())
        return;
    CString profile = folder + "\\" + m_strExeName + ".ini";
    if (!FileExists(profile) && !TakeOverProfile(m_strProfileName, profile))
        return;
    if (!IsUtf16Profile(profile))
        ConvertToUtf16Profile(profile);
    m_strProfileName = profile;
}

CString CWinApp::GetProfileString(const char* pszSection, const char* pszEntry, const char* pszDefault) const
{
    // Room for the longest path Windows has: a recent file's name cut short
    // would name another file.
    std::vector<wchar_t> buffer(32768);
    DWORD n = GetPrivateProfileStringW(AfxWide(pszSection).c_str(), AfxWide(pszEntry).c_str(),
                                       AfxWide(pszDefault).c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                       AfxWide(m_strProfileName).c_str());
    return AfxUtf8(buffer.data(), static_cast<int>(n));
}

BOOL CWinApp::WriteProfileString(const char* pszSection, const char* pszEntry, const char* pszValue) const
{
    const std::wstring value = AfxWide(pszValue);
    return WritePrivateProfileStringW(AfxWide(pszSection).c_str(), AfxWide(pszEntry).c_str(),
                                      pszValue ? value.c_str() : nullptr, AfxWide(m_strProfileName).c_str());
}

UINT CWinApp::GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) const
{
    return GetPrivateProfileIntW(AfxWide(pszSection).c_str(), AfxWide(pszEntry).c_str(), nDefault,
                                 AfxWide(m_strProfileName).c_str());
}

BOOL CWinApp::WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue) const
{
    char text[16];
    wsprintfA(text, "%d", nValue);
    return WriteProfileString(pszSection, pszEntry, text);
}

CDocument* CWinApp::OpenDocumentFile(const char* pszFileName)
{
    if (!m_pDocTemplate)
        return nullptr;
    std::string name = StripFileNameQuotes(pszFileName);
    // The full name, however long: a name left relative would be another
    // file's once the program starts in another folder.
    const std::wstring wide = AfxWide(name);
    std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
    DWORD n = full.empty() ? 0 : GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (n > 0 && n < full.size())
        name = AfxUtf8(full.c_str()).str();
    return m_pDocTemplate->OpenDocumentFile(name.c_str());
}

void CWinApp::AddToRecentFileList(const char* pszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(pszPathName);
}

BOOL CWinApp::SaveAllModified()
{
    CDocument* pDoc = m_pDocTemplate ? m_pDocTemplate->m_pOnlyDoc : nullptr;
    return !pDoc || pDoc->SaveModified();
}

bool CWinApp::UsesHtmlHelp() const
{
    if (!FileExists(m_strHtmlHelpFilePath))
        return false;
    const AfxUiHooks& hooks = AfxGetUiHooks();
    return hooks.htmlHelpAvailable ? hooks.htmlHelpAvailable() : AfxHtmlHelpAvailable();
}

bool CWinApp::ShowHtmlHelp(ULONG_PTR dwData, UINT nCmd)
{
    CString page;
    if (nCmd == HELP_HELPONHELP)
        page = m_strUsingHelpPage;
    auto it = m_htmlHelpPages.find(dwData);
    if (nCmd == HELP_CONTEXT && it != m_htmlHelpPages.end())
        page = it->second;
    UINT command = page.IsEmpty() ? HH_DISPLAY_TOC : HH_DISPLAY_TOPIC;
    CString target = page.IsEmpty() ? m_strHtmlHelpFilePath : m_strHtmlHelpFilePath + "::/" + page;
    if (AfxGetUiHooks().htmlHelp)
        return AfxGetUiHooks().htmlHelp(target, command);
    return AfxHtmlHelp(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, target, command, 0) != nullptr;
}

void CWinApp::WinHelp(ULONG_PTR dwData, UINT nCmd)
{
    // A help file HTML Help cannot open still gets WinHelp's try.
    if (UsesHtmlHelp() && ShowHtmlHelp(dwData, nCmd))
        return;
    m_bWinHelpShown = true;
    CallWinHelp(dwData, nCmd);
}

void CWinApp::CloseWinHelp()
{
    if (m_bWinHelpShown)
        CallWinHelp(0, HELP_QUIT);
    m_bWinHelpShown = false;
}

void CWinApp::CallWinHelp(ULONG_PTR dwData, UINT nCmd)
{
    if (AfxGetUiHooks().winHelp) {
        AfxGetUiHooks().winHelp(m_strHelpFilePath, nCmd, dwData);
        return;
    }
    ::WinHelpW(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, AfxWide(m_strHelpFilePath).c_str(), nCmd, dwData);
}

void CWinApp::OnFileNew()
{
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString fileName;
    if (DoPromptFileName(fileName, TRUE))
        OpenDocumentFile(fileName);
}

HGLOBAL CWinApp::CopyDevMode() const
{
    return CopyGlobal(m_hDevMode);
}

HGLOBAL CWinApp::CopyDevNames() const
{
    return CopyGlobal(m_hDevNames);
}

void CWinApp::SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (m_hDevNames && m_hDevNames != hDevNames)
        GlobalFree(m_hDevNames);
    if (m_hDevMode && m_hDevMode != hDevMode)
        GlobalFree(m_hDevMode);
    m_hDevNames = hDevNames;
    m_hDevMode = hDevMode;
}

HDC CWinApp::CreateChosenPrinterDC() const
{
    if (!m_hDevNames)
        return nullptr;
    const DEVNAMES* pNames = static_cast<const DEVNAMES*>(GlobalLock(m_hDevNames));
    if (!pNames)
        return nullptr;
    const char* base = reinterpret_cast<const char*>(pNames);
    const DEVMODEA* pMode = m_hDevMode ? static_cast<const DEVMODEA*>(GlobalLock(m_hDevMode)) : nullptr;
    HDC hDC = ::CreateDCA(base + pNames->wDriverOffset, base + pNames->wDeviceOffset, base + pNames->wOutputOffset,
                          pMode);
    if (pMode)
        GlobalUnlock(m_hDevMode);
    GlobalUnlock(m_hDevNames);
    return hDC;
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    pd.Flags = PD_PRINTSETUP;
    // The dialog opens on the printer chosen before and may replace the handles.
    pd.hDevMode = CopyDevMode();
    pd.hDevNames = CopyDevNames();
    BOOL ok = AfxGetUiHooks().printSetup ? AfxGetUiHooks().printSetup(pd) : AfxPrintDlg(pd);
    if (ok) {
        // Kept for Print, Print Preview and the printed size until the next choice.
        SelectPrinter(pd.hDevNames, pd.hDevMode);
        // A preview on the screen shows the page of the printer chosen now.
        if (CPrintPreviewWnd* pPreview = CPrintPreviewWnd::Current()) {
            CView* pView = pPreview->View();
            pPreview->Close();
            CPrintPreviewWnd::Show(pView);
        }
        return;
    }
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return;
    int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index >= m_pRecentFileList->GetSize())
        return;
    CString path = (*m_pRecentFileList)[index];
    // A file that is gone leaves the list, as it can only fail again; one
    // that was refused or not opened because the user cancelled stays.
    if (!OpenDocumentFile(path) && !FileExists(path))
        m_pRecentFileList->Remove(path);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, BOOL bOpen)
{
    if (AfxGetUiHooks().promptFileName)
        return AfxGetUiHooks().promptFileName(fileName, bOpen);
    return m_pDocTemplate && m_pDocTemplate->PromptFileName(fileName, bOpen);
}
