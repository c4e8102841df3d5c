#pragma once
// CEdit: a system "EDIT" control owned by a framework object. The window is
// made by Create and subclassed at once, so the object's message map sees
// every message after creation and the control's own procedure the rest.
#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID);

    void SetSel(int nStart, int nEnd, BOOL bNoScroll = FALSE)
    {
        SendMessage(EM_SETSEL, nStart, nEnd);
        if (!bNoScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& nStart, int& nEnd) const
    {
        DWORD start = 0, end = 0;
        ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        nStart = static_cast<int>(start);
        nEnd = static_cast<int>(end);
    }
};
