#include "dialogs/NumberValidator.h"

#include <cstring>

#include "document/NumberText.h"
#include "framework/DataExchange.h"
#include "framework/UiHooks.h"
#include "framework/WinApp.h"

CNumberValidator::CNumberValidator(CWnd* pEditWnd, const char* pszText, int nLimit)
    : m_pEditWnd(pEditWnd),
      m_dValue(AtoF(pszText)),
      m_pszText(pszText),
      m_nLength(static_cast<int>(std::strlen(pszText))),
      m_nLimit(nLimit),
      m_pLimits(g_NumberLimits)
{
}

void CNumberValidator::SetPreviousState(const CString& text, int nSelStart, int nSelEnd)
{
    m_bHasPrevious = true;
    m_strPrevious = text;
    m_nPrevStart = nSelStart;
    m_nPrevEnd = nSelEnd;
}

BOOL CNumberValidator::CheckTyping()
{
    const char* pszPrevious = m_strPrevious;
    TypingFault fault = m_bHasPrevious && IsDeletionOf(m_pszText, pszPrevious)
                            ? DeletionFault(m_pszText, pszPrevious, m_pLimits[m_nLimit])
                            : CheckNumberTyping(m_pszText, m_pLimits[m_nLimit], m_bAllowExponent);
    if (fault == TypingFault::None)
        return TRUE;
    RejectInput(TypingFaultText(fault, m_pLimits[m_nLimit]).c_str());
    return FALSE;
}

void CNumberValidator::RejectInput(const char* pszMessage)
{
    AfxMessageBeep(MB_ICONEXCLAMATION);
    // Putting the old text back (rather than deleting the character before
    // the caret) undoes any change at once: a typed or pasted text, a cut or
    // an undo, wherever the caret was.
    if (m_bHasPrevious && m_pEditWnd) {
        m_pEditWnd->SetWindowText(m_strPrevious);
        m_pEditWnd->SendMessage(EM_SETSEL, m_nPrevStart, m_nPrevEnd);
    }
    if (pszMessage && *pszMessage)
        AfxMessageBox(pszMessage, MB_OK | MB_ICONEXCLAMATION);
    if (m_pEditWnd) {
        m_pEditWnd->ShowWindow(SW_SHOW);
        m_pEditWnd->SetFocus();
    }
}

CString CNumberValidator::LimitText(int which, double bound) const
{
    return CString(NumberLimitText(which, bound, m_pLimits[m_nLimit]));
}

BOOL CNumberValidator::CheckRange(BOOL bShowMessage) const
{
    const NumberLimit& limit = m_pLimits[m_nLimit];
    int which = m_dValue < limit.dMinimum ? 0 : m_dValue > limit.dMaximum ? 1 : -1;
    if (which < 0)
        return TRUE;
    if (bShowMessage)
        AfxMessageBox(LimitText(which, which == 0 ? limit.dMinimum : limit.dMaximum), MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void DDX_CheckedDouble(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        char text[80];
        int n = ::GetWindowTextA(hCtrl, text, sizeof text);
        text[n > 0 ? n : 0] = '\0';
        CNumberValidator validator(nullptr, text, NUMLIMIT_GENERAL);
        // Focus to the field, its text selected, and the exchange ends here.
        if (!validator.CheckRange(TRUE))
            pDX->Fail();
        value = validator.m_dValue;
        return;
    }
    std::string written = FormatFieldNumber(value);
    if (!written.empty() && CNumberValidator(nullptr, written.c_str(), NUMLIMIT_GENERAL).CheckRange(FALSE))
        ::SetWindowTextA(hCtrl, written.c_str());
}
