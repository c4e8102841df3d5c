#include "framework/DialogColors.h"

namespace {

struct BoxColors {
    HBRUSH hBrush;
    COLORREF crBk;
    COLORREF crText;
};

// The colours in force for message boxes: the application's, one set for the
// whole program.
BoxColors g_colors = {};
const char kOldProcProp[] = "FwBoxOldProc";

LRESULT CALLBACK MessageBoxProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC oldProc = reinterpret_cast<WNDPROC>(GetPropA(hWnd, kOldProcProp));
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC && g_colors.hBrush) {
        HBRUSH hBrush = AfxDialogCtlColor(msg, reinterpret_cast<HDC>(wParam), g_colors.hBrush, g_colors.crBk,
                                          g_colors.crText);
        if (hBrush)
            return reinterpret_cast<LRESULT>(hBrush);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc));
        RemovePropA(hWnd, kOldProcProp);
    }
    return CallWindowProcA(oldProc, hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        char className[16];
        // Dialog boxes, message boxes among them, have the class "#32770".
        if (GetClassNameA(hWnd, className, sizeof className) && lstrcmpA(className, "#32770") == 0 &&
            !GetPropA(hWnd, kOldProcProp)) {
            LONG_PTR old = SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageBoxProc));
            SetPropA(hWnd, kOldProcProp, reinterpret_cast<HANDLE>(old));
        }
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

}  // namespace

HBRUSH AfxDialogCtlColor(UINT nMessage, HDC hDC, HBRUSH hBrush, COLORREF crBk, COLORREF crText)
{
    if (nMessage == WM_CTLCOLOREDIT || nMessage == WM_CTLCOLORLISTBOX || nMessage == WM_CTLCOLORSCROLLBAR)
        return nullptr;
    SetBkColor(hDC, crBk);
    SetTextColor(hDC, crText);
    return hBrush;
}

CMessageBoxColors::CMessageBoxColors(HBRUSH hBrush, COLORREF crBk, COLORREF crText)
{
    if (!hBrush)
        return;
    g_colors = { hBrush, crBk, crText };
    m_hHook = SetWindowsHookExA(WH_CBT, &CbtProc, nullptr, GetCurrentThreadId());
}

CMessageBoxColors::~CMessageBoxColors()
{
    if (m_hHook)
        UnhookWindowsHookEx(m_hHook);
}
