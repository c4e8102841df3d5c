#include "framework/DataExchange.h"

#include "framework/Exception.h"
#include "framework/FrameworkIds.h"
#include "framework/WinApp.h"
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

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::SendMessageA(hCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    else
        ::SendMessageA(hCtrl, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        ::SendMessageA(pDX->LastControl(), EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    char count[16];
    wsprintfA(count, "%d", nChars);
    AfxMessageBox(AfxFormatString1(AFX_IDP_PARSE_STRING_SIZE, count), MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}
