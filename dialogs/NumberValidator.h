#pragma once
// CNumberValidator: checks the text of a numeric edit window against one row
// of the number-limit table, built on the stack for one check. A failed
// typing check beeps, puts back the text the edit had before the change,
// tells the user when the fault is worth a message and leaves the focus in
// the edit.
#include "dialogs/NumberTyping.h"
#include "framework/Wnd.h"

class CDataExchange;

class CNumberValidator {
public:
    CNumberValidator(CWnd* pEditWnd, const char* pszText, int nLimit);

    void AllowExponent(BOOL bAllow) { m_bAllowExponent = bAllow != FALSE; }
    // The text and selection to go back to when the check fails.
    void SetPreviousState(const CString& text, int nSelStart, int nSelEnd);
    // FALSE when the text fails; the input has then been rejected. A change
    // that only took characters out of the previous text always passes.
    BOOL CheckTyping();
    void RejectInput(const char* pszMessage);
    CString LimitText(int which, double bound) const;
    // TRUE when the value lies within the row's bounds; otherwise, when asked,
    // the bound it passes is shown.
    BOOL CheckRange(BOOL bShowMessage) const;
    const char* GetFormat() const { return m_pLimits[m_nLimit].szFormat; }

    CWnd* m_pEditWnd;
    double m_dValue;
    const char* m_pszText;
    int m_nLength;
    int m_nLimit;
    const NumberLimit* m_pLimits;
    bool m_bAllowExponent = false;

private:
    bool m_bHasPrevious = false;
    CString m_strPrevious;
    int m_nPrevStart = 0;
    int m_nPrevEnd = 0;
};

// Exchanges a double with an edit field of the general row: saving refuses a
// value outside -1e20 to 1e20 with its message (the exchange stops at the
// field, the variable unchanged); loading writes the value with at most six
// significant digits, as many as the field's typing check accepts, or leaves
// the field alone when it is out of range.
void DDX_CheckedDouble(CDataExchange* pDX, int nIDC, double& value);
