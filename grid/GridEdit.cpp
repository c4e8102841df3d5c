#include "grid/GridEdit.h"

#include "dialogs/NumberValidator.h"
#include "framework/Dc.h"
#include "grid/GridCtrl.h"

BEGIN_MESSAGE_MAP(CGridEdit, CEdit)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_SETFOCUS()
    ON_WM_GETDLGCODE()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_PASTE, OnEditCommand)
    ON_MESSAGE(WM_CUT, OnEditCommand)
    ON_MESSAGE(WM_CLEAR, OnEditCommand)
    ON_MESSAGE(WM_UNDO, OnEditCommand)
    ON_MESSAGE(EM_UNDO, OnEditCommand)
END_MESSAGE_MAP()

namespace {

bool ShiftDown()
{
    return GetKeyState(VK_SHIFT) < 0;
}

}  // namespace

void CGridEdit::Leave(UINT nKey, LPARAM keyData, bool bReopen)
{
    m_pGrid->CloseEditor(TRUE);
    m_pGrid->SetFocus();
    m_pGrid->SendMessage(WM_KEYDOWN, nKey, keyData);
    if (bReopen)
        m_pGrid->OpenEditor();
}

void CGridEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    LPARAM keyData = MAKELPARAM(nRepCnt, nFlags);
    switch (nChar) {
    case VK_TAB:
        Leave(ShiftDown() ? VK_LEFT : VK_RIGHT, keyData, false);
        break;
    case VK_RETURN: {
        bool bShift = ShiftDown();
        // Enter on the bottom-right cell appends a row, with Shift as well.
        bool bAppend = m_pGrid->m_bLastCell;
        m_pGrid->CloseEditor(TRUE);
        m_pGrid->SetFocus();
        if (bAppend)
            m_pGrid->AddRow();
        m_pGrid->SendMessage(WM_KEYDOWN, bShift ? VK_UP : VK_DOWN, keyData);
        break;
    }
    case VK_ESCAPE:
        m_pGrid->CloseEditor(FALSE);
        break;
    default:
        CheckedDefault();
        break;
    }
}

void CGridEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    int start = 0, end = 0;
    GetSel(start, end);
    int length = GetWindowTextLengthA(m_hWnd);
    switch (nChar) {
    case VK_LEFT:
        if (ShiftDown())
            break;
        // A selection collapses to its end first; the cell is left from position 0.
        if (start != end) {
            SetSel(length, length);
            start = length;
        }
        if (start == 0)
            return Leave(VK_LEFT, 0, true);
        break;
    case VK_RIGHT:
        // Caret at the end with nothing selected, or everything selected.
        // The length comes from the text: Wine's EM_LINELENGTH(-1) gives all of it.
        if (start == length - (end - start))
            return Leave(VK_RIGHT, 0, true);
        break;
    case VK_UP:
        return Leave(VK_UP, 0, m_nRow >= 2);
    case VK_DOWN:
        return Leave(VK_DOWN, 0, true);
    default:
        break;
    }
    CheckedDefault();
}

void CGridEdit::OnKillFocus(HWND)
{
    Default();
    if (!m_bClosing && !m_bChecking && m_pGrid)
        m_pGrid->CloseEditor(TRUE);
}

// A dialog gives the focus back to the control that had it when it was
// deactivated; the editor closed on losing it, so keys would go to a hidden
// window whose text is thrown away. The grid takes them instead.
void CGridEdit::OnSetFocus(HWND)
{
    if (!IsOpen() && m_pGrid && ::IsWindow(m_pGrid->m_hWnd)) {
        m_pGrid->SetFocus();
        return;
    }
    Default();
}

void CGridEdit::OnContextMenu(HWND, POINT)
{
    // The edit control's own menu would paste past the checks.
    if (m_pGrid)
        m_pGrid->ShowGridMenu();
}

LRESULT CGridEdit::CheckedDefault()
{
    CString before = GetWindowText();
    int start = 0, end = 0;
    GetSel(start, end);
    LRESULT result = Default();
    CString after = GetWindowText();
    if (after == before)
        return result;
    CNumberValidator validator(this, after, NUMLIMIT_GENERAL);
    validator.AllowExponent(TRUE);
    validator.SetPreviousState(before, start, end);
    m_bChecking = true;
    BOOL bAccepted = validator.CheckTyping();
    m_bChecking = false;
    if (bAccepted)
        Widen();
    return result;
}

int CGridEdit::MissingWidth()
{
    CString text = GetWindowText();
    if (text.GetLength() > m_nGrowthLimit || m_nCharWidth <= 0)
        return 0;
    CClientDC dc(this);
    HGDIOBJ hOld = dc.SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    SIZE size = dc.GetTextExtent(text);
    dc.SelectObject(hOld);
    // The edit takes no character past its formatting rectangle (the client
    // area less its margins): the next character must fit in what is left.
    RECT format = {};
    SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    return size.cx + m_nCharWidth - (format.right - format.left - 2);
}

void CGridEdit::Widen()
{
    int missing = MissingWidth();
    if (missing <= 0)
        return;
    RECT rc;
    GetClientRect(&rc);
    int steps = (missing + m_nCharWidth - 1) / m_nCharWidth;
    int room = (m_nRightLimit - m_rcCell.left - rc.right) / m_nCharWidth;
    if (steps > room)
        steps = room;
    if (steps <= 0)
        return;
    RECT wr;
    GetWindowRect(&wr);
    SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right + steps * m_nCharWidth, wr.bottom - wr.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    // Text the narrower editor scrolled (a paste) stays scrolled when it
    // grows: show it from its start, then the caret, as before.
    int start = 0, end = 0;
    GetSel(start, end);
    SetSel(0, 0);
    SetSel(start, end);
}
