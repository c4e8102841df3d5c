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
    // The control exchanged last.
    HWND LastControl() const { return m_hWndLastControl; }
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
// The check state of a check box (0 or 1).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The length check of the edit field exchanged last: when loading, the field
// takes at most nChars characters; when saving, a longer value is refused
// with a message and the exchange stops there.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
