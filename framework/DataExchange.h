#pragma once
// CDataExchange: one pass of moving values between a dialog's members and its
// controls. Fail() focuses the control being exchanged and ends the pass.
#include <windows.h>

#include "framework/String.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control about to be exchanged.
    HWND PrepareCtrl(int nIDC);
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

private:
    HWND m_hWndLastControl = nullptr;
};

// The selected index of a combo box (-1 for none).
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// The text of a control.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
