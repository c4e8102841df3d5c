#include "framework/FrameWnd.h"

#include <dde.h>

#include <string>

#include "framework/CmdUI.h"
#include "framework/DdeCommand.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FrameworkIds.h"
#include "framework/PrintPreviewWnd.h"
#include "framework/ShellCalls.h"
#include "framework/View.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_INITMENUPOPUP()
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
    ON_MESSAGE(WM_ENDSESSION, OnEndSession)
    ON_MESSAGE(WM_DDE_INITIATE, OnDdeInitiate)
    ON_MESSAGE(WM_DDE_EXECUTE, OnDdeExecute)
    ON_MESSAGE(WM_DDE_TERMINATE, OnDdeTerminate)
END_MESSAGE_MAP()

BOOL CFrameWnd::LoadFrame(UINT nIDResource, CDocument* pDocument, const CRuntimeClass* pViewClass)
{
    m_nIDResource = nIDResource;
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    HMENU hMenu = LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
    m_hAccelTable = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
    HICON hIcon = LoadIconA(hInst, MAKEINTRESOURCEA(nIDResource));
    const char* className = RegisterClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    m_pCreateDocument = pDocument;
    m_pCreateViewClass = pViewClass;
    CString title = AfxGetApp() ? AfxGetApp()->m_strAppName : CString();
    BOOL ok = CreateEx(0, className, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT, nullptr, hMenu);
    m_pCreateDocument = nullptr;
    m_pCreateViewClass = nullptr;
    if (!ok && hMenu)
        DestroyMenu(hMenu);
    // The same procedure, set through the wide call, makes the frame a Unicode
    // window: its title, and the file names the shell sends it through DDE,
    // then hold any character, where an 8-bit window would keep look-alikes.
    if (ok)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc));
    return ok;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA)
{
    if (!m_pCreateViewClass || !m_pCreateDocument)
        return 0;
    CView* pView = dynamic_cast<CView*>(m_pCreateViewClass->CreateObject());
    if (!pView)
        return -1;
    // A view whose window failed has deleted itself.
    if (!pView->Create(this, m_pCreateDocument))
        return -1;
    m_pViewActive = pView;
    return 0;
}

void CFrameWnd::OnUpdateFrameTitle()
{
    CView* pView = m_pViewActive;
    CDocument* pDoc = pView ? pView->GetDocument() : nullptr;
    CString appTitle = AfxGetApp() ? AfxGetApp()->m_strAppName : CString();
    if (pDoc && m_pViewActive && AfxGetApp() && AfxGetApp()->m_pDocTemplate)
        appTitle = AfxGetApp()->m_pDocTemplate->GetDocString(CSingleDocTemplate::windowTitle);
    ::SetWindowTextW(m_hWnd, AfxWide(pDoc ? pDoc->GetTitle() + " - " + appTitle : appTitle).c_str());
}

void CFrameWnd::InitialUpdateFrame(BOOL bMakeVisible)
{
    // A preview of the document that was there is out of date.
    if (CPrintPreviewWnd* pPreview = CPrintPreviewWnd::Current())
        pPreview->Close();
    if (m_pViewActive)
        m_pViewActive->OnInitialUpdate();
    OnUpdateFrameTitle();
    if (bMakeVisible) {
        if (!IsWindowVisible())
            ShowWindow(AfxGetApp() ? AfxGetApp()->m_nCmdShow : SW_SHOW);
        UpdateWindow();
    }
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, UINT nCode, void* pExtra)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    return AfxGetApp() && AfxGetApp()->OnCmdMsg(nID, nCode, pExtra);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !m_hAccelTable)
        return FALSE;
    return TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // An accelerator's command runs only when its enable handler allows it now,
    // whatever state its menu item was left in when the menu was last open.
    if (lParam == 0 && HIWORD(wParam) == 1) {
        CCmdUI state(nullptr, 0, LOWORD(wParam));
        state.DoUpdate(this);
        if (!state.m_bEnabled)
            return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CFrameWnd::OnClose()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && !pApp->SaveAllModified())
        return;
    if (pApp)
        pApp->CloseWinHelp();
    if (pApp && pApp->m_pDocTemplate && pApp->m_pDocTemplate->m_pOnlyDoc)
        pApp->m_pDocTemplate->CloseDocument();
    else
        DestroyWindow();
}

// Windows asks before the user's session ends (log off, shut down, an
// update's restart): a modified graph is offered for saving as at Exit, and
// Cancel keeps the session.
LRESULT CFrameWnd::OnQueryEndSession(WPARAM, LPARAM)
{
    CWinApp* pApp = AfxGetApp();
    return !pApp || pApp->SaveAllModified();
}

// The process ends with the session, never leaving its message loop: the
// recent files and settings are written now.
LRESULT CFrameWnd::OnEndSession(WPARAM bEnding, LPARAM)
{
    if (bEnding && AfxGetApp()) {
        AfxGetApp()->CloseWinHelp();
        AfxGetApp()->ExitInstance();
    }
    return 0;
}

void CFrameWnd::OnSize(UINT, int cx, int cy)
{
    if (m_pViewActive)
        m_pViewActive->MoveWindow(0, 0, cx, cy);
    if (HWND hPreview = GetDlgItem(AFX_IDW_PREVIEW))
        ::MoveWindow(hPreview, 0, 0, cx, cy, TRUE);
}

void CFrameWnd::OnSetFocus(HWND)
{
    // While the preview shows, the view is hidden and its keys are the preview's.
    if (CPrintPreviewWnd* pPreview = CPrintPreviewWnd::Current())
        ::SetFocus(pPreview->m_hWnd);
    else if (m_pViewActive)
        ::SetFocus(m_pViewActive->m_hWnd);
}

void CFrameWnd::OnInitMenuPopup(HMENU hMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu)
        return;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        UINT nID = GetMenuItemID(hMenu, i);
        // Separators have id 0 and submenus -1: neither has a command.
        if (nID == 0 || nID == static_cast<UINT>(-1))
            continue;
        CCmdUI state(hMenu, i, nID);
        state.DoUpdate(this);
        i += state.m_nItemsInserted;
    }
}

// While a modal dialog or box has the frame disabled, the document it works on
// must not be replaced under it: files dropped then are ignored, and shell
// open requests are refused (the shell then tells its user).
void CFrameWnd::OnDropFiles(HDROP hDrop)
{
    if (!::IsWindowEnabled(m_hWnd)) {
        AfxDragFinish(hDrop);
        return;
    }
    SetActiveWindow(m_hWnd);
    UINT count = AfxDragQueryFile(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Each name in full, however long: one cut short could name another file.
        UINT length = AfxDragQueryFile(hDrop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        if (length && AfxDragQueryFile(hDrop, i, &name[0], length + 1) == length && AfxGetApp())
            AfxGetApp()->OpenDocumentFile(AfxUtf8(name.c_str()));
    }
    AfxDragFinish(hDrop);
}

LRESULT CFrameWnd::OnDdeInitiate(WPARAM wParam, LPARAM lParam)
{
    CWinApp* pApp = AfxGetApp();
    ATOM app = LOWORD(lParam);
    ATOM topic = HIWORD(lParam);
    if (!pApp || !pApp->m_atomApp || (app && app != pApp->m_atomApp) ||
        (topic && topic != pApp->m_atomSystemTopic))
        return 0;
    // The client deletes the atoms of the reply, so they are added anew.
    char appName[256];
    char topicName[256];
    GlobalGetAtomNameA(pApp->m_atomApp, appName, sizeof appName);
    GlobalGetAtomNameA(pApp->m_atomSystemTopic, topicName, sizeof topicName);
    ::SendMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd),
                   MAKELPARAM(GlobalAddAtomA(appName), GlobalAddAtomA(topicName)));
    return 0;
}

namespace {

// The commands a WM_DDE_EXECUTE carries, in UTF-8. A Unicode client's text
// reaches the (Unicode) frame as UTF-16, an 8-bit client's may stay in the
// code page (systems differ): a command starts with an ASCII character, whose
// UTF-16 form has a zero second byte.
std::string DdeCommandText(HGLOBAL hCommands)
{
    std::string text;
    const SIZE_T size = GlobalSize(hCommands);
    const char* p = static_cast<const char*>(GlobalLock(hCommands));
    if (!p)
        return text;
    if (size >= 2 && p[0] != 0 && p[1] == 0) {
        const wchar_t* wide = reinterpret_cast<const wchar_t*>(p);
        text = AfxUtf8(wide, static_cast<int>(wcsnlen(wide, size / sizeof(wchar_t)))).str();
    } else {
        text = AfxUtf8FromAnsi(std::string(p, strnlen(p, size))).str();
    }
    GlobalUnlock(hCommands);
    return text;
}

}  // namespace

LRESULT CFrameWnd::OnDdeExecute(WPARAM wParam, LPARAM lParam)
{
    HWND hClient = reinterpret_cast<HWND>(wParam);
    HGLOBAL hCommands = reinterpret_cast<HGLOBAL>(lParam);
    std::vector<std::string> names = ParseDdeOpenCommands(DdeCommandText(hCommands));
    if (!::IsWindowEnabled(m_hWnd))
        names.clear();
    // Acknowledged before the files open, so a message box shown while
    // opening cannot make the shell's request time out.
    ::PostMessageA(hClient, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd),
                   PackDDElParam(WM_DDE_ACK, names.empty() ? 0 : 0x8000, reinterpret_cast<UINT_PTR>(hCommands)));
    if (!names.empty() && IsIconic(m_hWnd))
        ShowWindow(SW_RESTORE);
    for (const std::string& name : names)
        AfxGetApp()->OpenDocumentFile(name.c_str());
    return 0;
}

LRESULT CFrameWnd::OnDdeTerminate(WPARAM wParam, LPARAM)
{
    ::PostMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    return 0;
}

void CFrameWnd::OnHelpFinder()
{
    AfxGetApp()->WinHelp(0, HELP_FINDER);
}

void CFrameWnd::OnHelpUsing()
{
    AfxGetApp()->WinHelp(0, HELP_HELPONHELP);
}

void CFrameWnd::OnHelp()
{
    AfxGetApp()->WinHelp(AFX_HID_BASE_RESOURCE + m_nIDResource, HELP_CONTEXT);
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pDocTemplate && pApp->m_pDocTemplate->m_pFrame == this)
        pApp->m_pDocTemplate->m_pFrame = nullptr;
    if (pApp && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    delete this;
}
