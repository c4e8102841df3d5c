#include "framework/Wnd.h"

#include <map>
#include <new>
#include <set>
#include <string>

#include "framework/Exception.h"
#include "framework/FrameworkIds.h"
#include "framework/WinApp.h"

namespace {

std::map<HWND, CWnd*>& HandleMap()
{
    static std::map<HWND, CWnd*> map;
    return map;
}

// The object whose CreateEx is under way; bound at the window's first message,
// which for an overlapped window comes before WM_NCCREATE.
CWnd* g_pWndInit = nullptr;

// The message whose handler runs now, for Default. Kept outside the objects:
// a handler may destroy its window and with it the object.
MSG g_msgCur = {};

}  // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd()
{
    if (m_hWnd) {
        HWND hWnd = m_hWnd;
        Detach();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = HandleMap().find(hWnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    HandleMap()[hWnd] = this;
}

void CWnd::Detach()
{
    if (m_pfnSuper && ::IsWindow(m_hWnd))
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    HandleMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* pszClassName, const char* pszWindowName, DWORD dwStyle,
                    int x, int y, int cx, int cy, HWND hWndParent, HMENU hMenuOrId)
{
    g_pWndInit = this;
    HWND hWnd = CreateWindowExA(dwExStyle, pszClassName, pszWindowName, dwStyle, x, y, cx, cy, hWndParent,
                                hMenuOrId, GetModuleHandleA(nullptr), nullptr);
    // A window that failed after its first message was destroyed, and its
    // WM_NCDESTROY ran PostNcDestroy; one that failed before it never bound
    // this object. Clean up the same way then, so that a failed CreateEx
    // always ends in PostNcDestroy: a frame or view has deleted itself.
    bool bNeverBound = g_pWndInit == this;
    g_pWndInit = nullptr;
    if (!hWnd && bNeverBound)
        PostNcDestroy();
    return hWnd != nullptr;
}

void AfxReportCurrentException()
{
    try {
        throw;
    } catch (CUserException&) {
        // The user has been told already.
    } catch (const std::bad_alloc&) {
        AfxMessageBox(AFX_IDP_OUT_OF_MEMORY, MB_OK | MB_ICONSTOP);
    } catch (const std::length_error&) {
        // A size no string or array can hold: memory by another name.
        AfxMessageBox(AFX_IDP_OUT_OF_MEMORY, MB_OK | MB_ICONSTOP);
    } catch (...) {
        AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_OK | MB_ICONSTOP);
    }
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    Attach(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, nID));
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

CString CWnd::GetWindowText() const
{
    int n = GetWindowTextLengthA(m_hWnd);
    std::string text(n + 1, '\0');
    n = ::GetWindowTextA(m_hWnd, &text[0], n + 1);
    text.resize(n > 0 ? n : 0);
    return CString(text);
}

// The style bit is all that shell32's DragAcceptFiles sets; setting it here
// keeps shell32 from loading until files are actually dropped.
void CWnd::DragAcceptFiles(BOOL bAccept)
{
    LONG style = GetWindowLongA(m_hWnd, GWL_EXSTYLE);
    SetWindowLongA(m_hWnd, GWL_EXSTYLE, bAccept ? style | WS_EX_ACCEPTFILES : style & ~WS_EX_ACCEPTFILES);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Handlers send messages of their own; each level restores the one it found.
    MSG outer = g_msgCur;
    g_msgCur.hwnd = m_hWnd;
    g_msgCur.message = msg;
    g_msgCur.wParam = wParam;
    g_msgCur.lParam = lParam;
    LRESULT result = 0;
    CWinApp* pApp = AfxGetApp();
    if (msg == WM_SETCURSOR && pApp && pApp->m_nWaitCursorCount > 0) {
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        result = TRUE;
    } else if (!OnWndMsg(msg, wParam, lParam, &result))
        result = DefWindowProc(msg, wParam, lParam);
    g_msgCur = outer;
    return result;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_msgCur.message, g_msgCur.wParam, g_msgCur.lParam);
}

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (msg == WM_COMMAND) {
        *pResult = 0;
        return OnCommand(wParam, lParam);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(msg);
    if (!pEntry)
        return FALSE;
    *pResult = pEntry->pfn(this, wParam, lParam, nullptr);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Menus send code 0 and accelerators code 1; both are plain commands.
    UINT nCode = lParam == 0 ? 0 : HIWORD(wParam);
    return OnCmdMsg(LOWORD(wParam), nCode, nullptr);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    // A Unicode window's messages come in their UTF-16 form.
    if (::IsWindowUnicode(m_hWnd))
        return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd && g_pWndInit) {
        pWnd = g_pWndInit;
        g_pWndInit = nullptr;
        pWnd->Attach(hWnd);
    }
    if (!pWnd)
        return ::DefWindowProcA(hWnd, msg, wParam, lParam);

    LRESULT result = 0;
    // No exception may unwind through the system's code that called us.
    try {
        result = pWnd->WindowProc(msg, wParam, lParam);
    } catch (...) {
        AfxReportCurrentException();
    }
    if (msg == WM_NCDESTROY) {
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}

const char* CWnd::RegisterClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per distinct look, named after its parameters; the names live
    // as long as the program, as registered classes do.
    static std::set<std::string> names;
    char buffer[80];
    wsprintfA(buffer, "FwWnd:%x:%p:%p:%p", nClassStyle, hCursor, hbrBackground, hIcon);
    const char* name = names.insert(buffer).first->c_str();
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), name, &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = &CWnd::AfxWndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = name;
        ::RegisterClassA(&wc);
    }
    return name;
}
