// CGridCtrl: the in-place editor, keys, clicks, cursors and column resizing.
#include "grid/GridCtrl.h"

#include <cstring>

#include "framework/Dc.h"
#include "grid/GridData.h"
#include "grid/GridEdit.h"
#include "grid/GridResource.h"

namespace {

bool KeyDown(int nKey)
{
    return GetKeyState(nKey) < 0;
}

// Text that would split a row string or break a line if stored in a cell.
bool HasDelimiter(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '\r' || text[i] == '\n' || std::strchr(kGridDelimiters, text[i]))
            return true;
    }
    return false;
}

}  // namespace

void CGridCtrl::ClampCurrentCell()
{
    int nRow = m_nCurRow > m_nRows - 1 ? m_nRows - 1 : m_nCurRow;
    int nCol = m_nCurCol > m_nColumns ? m_nColumns : m_nCurCol;
    if (nRow != m_nCurRow || nCol != m_nCurCol)
        SetCurrentCell(nRow, nCol < 1 ? 1 : nCol);
}

// The editor window onto the current cell's rectangle, drawing nothing.
void CGridCtrl::PlaceEditorOnCell()
{
    const RECT& rc = m_rcCurrent;
    SetWindowPos(m_pEdit->m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOREDRAW);
}

void CGridCtrl::OpenEditor()
{
    if (!m_pEdit->m_hWnd || !m_pData)
        return;
    ClampCurrentCell();
    // Typing or F2 after scrolling away brings the cell back first.
    EnsureVisible(m_nCurRow, m_nCurCol);
    DrawFrame(true);
    m_strSaved = CString(m_pData->GetCellText(m_nCurRow, m_nCurCol));
    m_pEdit->SetWindowText(m_strSaved);
    PlaceEditorOnCell();
    // A value that fills the cell gets room for one more character; widened
    // before the selection, so that the text is shown from its start.
    m_pEdit->Widen();
    m_pEdit->SetSel(0, -1);
    m_pEdit->m_nRow = m_nCurRow;
    m_pEdit->m_nColumn = m_nCurCol;
    m_pEdit->ShowWindow(SW_SHOW);
    m_pEdit->SetFocus();
}

void CGridCtrl::CloseEditor(BOOL bCommit)
{
    // Hiding the focused editor moves the focus, and its WM_KILLFOCUS comes
    // back here: that nested call must neither commit nor hide again.
    if (m_pEdit->m_bClosing || !m_pEdit->IsOpen())
        return;
    m_pEdit->m_bClosing = true;
    CString text = m_pEdit->GetWindowText();
    int nRow = m_pEdit->m_nRow;
    int nCol = m_pEdit->m_nColumn;
    if (!bCommit)
        m_pEdit->SetWindowText(m_strSaved);
    else if (m_pData && nRow < m_nRows && nCol <= m_nColumns && !HasDelimiter(text))
        m_pData->SetCellText(nRow, nCol, text.str());
    bool bHadFocus = GetFocus() == m_pEdit->m_hWnd;
    m_pEdit->ShowWindow(SW_HIDE);
    // Keys after the close go to the grid, not to the hidden editor.
    if (bHadFocus && ::IsWindow(m_hWnd))
        SetFocus();
    m_pEdit->m_bClosing = false;
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE || !IsReady()) {
        Default();
        return;
    }
    OpenEditor();
    if (m_pEdit->IsOpen())
        m_pEdit->SendMessage(WM_CHAR, nChar, MAKELPARAM(nRepCnt, nFlags));
}

UINT CGridCtrl::OnGetDlgCode()
{
    // With Ctrl held down Tab goes to the dialog, so Ctrl+Tab leaves the grid.
    if (KeyDown(VK_CONTROL))
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    return DLGC_WANTALLKEYS;
}

void CGridCtrl::EndRowSelection()
{
    if (!m_nSelRow)
        return;
    m_nSelRow = 0;
    InvalidateRect(&m_rcSelection, FALSE);
}

// One step of the current cell: scrolls by a line when the new cell is not
// shown, and further when the current cell was scrolled out of view.
void CGridCtrl::MoveCurrent(int nRow, int nColumn, UINT nScrollMsg, UINT nScrollCode, bool bVisible)
{
    RECT current = GetCellRect(m_nCurRow, m_nCurCol);
    bool bCurrentShown = m_nCurRow == 0 || (nScrollMsg == WM_VSCROLL ? IsVertVisible(current) : IsHorzVisible(current));
    if (!bVisible && bCurrentShown)
        SendMessage(nScrollMsg, nScrollCode, 0);
    EnsureVisible(nRow, nColumn);
    SetCurrentCell(nRow, nColumn);
}

// The arrows, Tab and Enter: one step within the grid's bounds.
bool CGridCtrl::StepKey(UINT nChar)
{
    int row = m_nCurRow, col = m_nCurCol;
    switch (nChar) {
    case VK_RIGHT:
    case VK_TAB:
        if (col + 1 <= m_nColumns)
            MoveCurrent(row, col + 1, WM_HSCROLL, SB_LINERIGHT, IsHorzVisible(GetCellRect(row, col + 1)));
        return true;
    case VK_DOWN:
    case VK_RETURN:
        if (row + 1 < m_nRows)
            MoveCurrent(row + 1, col, WM_VSCROLL, SB_LINEDOWN, IsVertVisible(GetCellRect(row + 1, col)));
        return true;
    case VK_LEFT:
        if (col - 1 > 0)
            MoveCurrent(row, col - 1, WM_HSCROLL, SB_LINELEFT, IsHorzVisible(GetCellRect(row, col - 1)));
        return true;
    case VK_UP:
        if (row - 1 > m_nTopRowLimit && row - 1 >= 0)
            MoveCurrent(row - 1, col, WM_VSCROLL, SB_LINEUP, row - 1 == 0 || IsVertVisible(GetCellRect(row - 1, col)));
        return true;
    default:
        return false;
    }
}

// Page Up and Down, Home and End: a scroll, then the current cell follows.
bool CGridCtrl::JumpKey(UINT nChar, bool bCtrl)
{
    int row = m_nCurRow, col = m_nCurCol;
    switch (nChar) {
    case VK_PRIOR:
        SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
        SetCurrentCell(m_nVScroll + 1, col);
        return true;
    case VK_NEXT: {
        // On the last page the view cannot move: the cell goes to the last row.
        int old = m_nVScroll;
        SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        SetCurrentCell(m_nVScroll != old ? m_nVScroll + 1 : m_nRows - 1, col);
        return true;
    }
    case VK_HOME:
        SetCurrentCell(row, 1);
        SendMessage(WM_HSCROLL, SB_LEFT, 0);
        if (bCtrl) {
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            SetCurrentCell(1, 1);
        }
        return true;
    case VK_END:
        SendMessage(WM_HSCROLL, SB_RIGHT, 0);
        SetCurrentCell(row, m_nColumns);
        if (bCtrl) {
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            SetCurrentCell(m_nRows - 1, m_nColumns);
        }
        return true;
    default:
        return false;
    }
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!IsReady()) {
        Default();
        return;
    }
    if (m_nSelRow && nChar != VK_DELETE)
        EndRowSelection();
    bool bShift = KeyDown(VK_SHIFT);
    if (bShift && nChar == VK_TAB)
        nChar = VK_LEFT;
    if (bShift && nChar == VK_RETURN)
        nChar = VK_UP;
    if (!StepKey(nChar) && !JumpKey(nChar, KeyDown(VK_CONTROL))) {
        if (nChar == VK_DELETE && m_nSelRow) {
            RemoveSelectedRow();
        } else if (nChar == VK_DELETE && m_pData && m_nCurRow < m_nRows && m_nCurCol <= m_nColumns) {
            // As typing does, a cell scrolled out of view is brought back first.
            EnsureVisible(m_nCurRow, m_nCurCol);
            m_pData->SetCellText(m_nCurRow, m_nCurCol, std::string());
            RECT rc = GetCellRect(m_nCurRow, m_nCurCol);
            InvalidateRect(&rc, FALSE);
        } else if (nChar == VK_F2) {
            OpenEditor();
        }
    }
    Default();
}
