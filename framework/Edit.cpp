#include "framework/Edit.h"

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID)
{
    HWND hWnd = CreateWindowExA(0, "EDIT", "", dwStyle, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, pParent->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!hWnd)
        return FALSE;
    if (!SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}
