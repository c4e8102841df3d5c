#include "framework/DataExchange.h"

#include "framework/Exception.h"
#include "framework/Wnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = m_pDlgWnd->GetDlgItem(nIDC);
    return m_hWndLastControl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hCtrl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int n = ::GetWindowTextLengthA(hCtrl);
        std::string text(n + 1, '\0');
        n = ::GetWindowTextA(hCtrl, &text[0], n + 1);
        text.resize(n > 0 ? n : 0);
        value = CString(text);
    } else {
        ::SetWindowTextA(hCtrl, value);
    }
}
