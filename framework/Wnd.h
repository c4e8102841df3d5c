#pragma once
// CWnd: a C++ object bound to one window handle.
//
// Every framework window is dispatched by one window procedure: it finds the
// object for the handle, looks the message up in the object's message map and
// falls back to default processing. Windows the framework creates are bound at
// their first message; existing windows (dialogs, controls) by subclassing.
#include <windows.h>

#include "framework/CmdTarget.h"
#include "framework/String.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    // The object bound to hWnd, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL CreateEx(DWORD dwExStyle, const char* pszClassName, const char* pszWindowName, DWORD dwStyle,
                  int x, int y, int cx, int cy, HWND hWndParent, HMENU hMenuOrId);
    // Binds the object to an existing window and routes its messages here.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    virtual BOOL DestroyWindow();

    // Thin wrappers over the Win32 calls of the same names.
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    void GetWindowRect(RECT* pRect) const { ::GetWindowRect(m_hWnd, pRect); }
    void ScreenToClient(RECT* pRect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(pRect), 2); }
    void MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint = TRUE) { ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint); }
    void SetWindowText(const char* pszText) { ::SetWindowTextA(m_hWnd, pszText); }
    CString GetWindowText() const;
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) { return ::SendMessageA(m_hWnd, msg, wParam, lParam); }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) { return ::PostMessageA(m_hWnd, msg, wParam, lParam); }
    void DragAcceptFiles(BOOL bAccept = TRUE);
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    void InvalidateRect(const RECT* pRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, pRect, bErase); }
    void ClientToScreen(POINT* pPoint) const { ::ClientToScreen(m_hWnd, pPoint); }
    void ScreenToClient(POINT* pPoint) const { ::ScreenToClient(m_hWnd, pPoint); }

    // Called for every message before it is translated and dispatched; TRUE
    // means the message was handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Gives every bound window from pMsg->hwnd up to hWndStop a chance to
    // pre-translate the message.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Dispatches through the message map; FALSE when no entry handled it.
    virtual BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // WM_COMMAND: commands from menus, accelerators and control notifications.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled now.
    LRESULT Default();
    // Called after the window is gone, and when CreateEx fails; windows owned
    // by nobody delete themselves here.
    virtual void PostNcDestroy() {}

    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The one window class for plain framework windows with the given look.
    static const char* RegisterClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon);

protected:
    void Attach(HWND hWnd);
    void Detach();

    WNDPROC m_pfnSuper = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Tells the user about the exception being handled, unless it says they have
// been told already (CUserException). Call only from a catch block.
void AfxReportCurrentException();
