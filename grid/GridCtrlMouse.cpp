// CGridCtrl: clicks, cursors, header selection and column resizing.
#include "grid/GridCtrl.h"

#include "framework/Dc.h"
#include "grid/GridEdit.h"
#include "grid/GridResource.h"

void CGridCtrl::SelectCellAt(POINT point, bool bOpenEditor)
{
    if (!PtInRect(&m_rcData, point))
        return;
    GridCell cell = CellFromPoint(point.x, point.y);
    RECT rc = GetCellRect(cell.row, cell.column);
    if (!PtInRect(&rc, point))
        return;
    if (m_pEdit->IsOpen())
        CloseEditor(TRUE);
    SetCurrentCell(cell.row, cell.column);
    if (bOpenEditor)
        OpenEditor();
    else
        SetFocus();
}

int CGridCtrl::ColumnHeaderTest(POINT point, int& nBorder) const
{
    nBorder = 0;
    if (point.y > m_nRowHeight)
        return -1;
    if (point.x < m_colWidths[0])
        return 0;
    int c = m_nHScroll + 1;
    int edge = m_colWidths[0];
    for (;; ++c) {
        if (c > m_nColumns)
            return -1;
        edge += m_colWidths[c];
        if (edge >= point.x)
            break;
    }
    RECT rc = GetCellRect(0, c);
    if (point.x >= rc.right - 4 && PtInRect(&rc, point)) {
        nBorder = rc.right - 1;
    } else if (c != m_nHScroll + 1 && point.x < rc.left + 4 && PtInRect(&rc, point)) {
        nBorder = rc.left;
        --c;
    }
    return c;
}

int CGridCtrl::RowHeaderTest(POINT point) const
{
    if (point.x > m_colWidths[0])
        return -1;
    if (point.y <= m_nRowHeight)
        return 0;
    int row = point.y / m_nRowHeight + m_nVScroll;
    return row < m_nRows ? row : -1;
}

BOOL CGridCtrl::OnSetCursor(HWND, UINT nHitTest, UINT nMessage)
{
    if (nHitTest != HTCLIENT || nMessage == 0 || !IsReady())
        return static_cast<BOOL>(Default());
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    int border = 0;
    int column = ColumnHeaderTest(point, border);
    UINT nCursor = 0;
    if (border)
        nCursor = IDC_GRID_RESIZE;
    else if (column > 0 && m_bCanSelectColumns)
        nCursor = IDC_GRID_COLUMN;
    else if (RowHeaderTest(point) > 0)
        nCursor = IDC_GRID_ROW;
    HCURSOR hCursor = nCursor ? LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nCursor)) : nullptr;
    if (!hCursor)
        return static_cast<BOOL>(Default());
    SetCursor(hCursor);
    return TRUE;
}

void CGridCtrl::OnLButtonDown(UINT, POINT point)
{
    if (!IsReady()) {
        Default();
        return;
    }
    if (m_nSelRow)
        EndRowSelection();
    if (m_nSelCol) {
        m_nSelCol = 0;
        InvalidateRect(&m_rcSelection, FALSE);
    }
    SelectCellAt(point, false);
    int border = 0;
    int column = ColumnHeaderTest(point, border);
    if (border) {
        StartDrag(column, border);
    } else if (column > 0 && m_bCanSelectColumns) {
        m_nSelCol = column;
        CloseEditor(FALSE);
        InvalidateRect(nullptr, FALSE);
    } else {
        int row = RowHeaderTest(point);
        if (row > 0) {
            if (m_nRows > 2)
                m_nSelRow = row;
            CloseEditor(FALSE);
            InvalidateRect(nullptr, FALSE);
        }
    }
    // A click anywhere in the grid, headers included, gives it the keys, so
    // that Delete reaches a row just selected; an open editor keeps them.
    HWND hFocus = GetFocus();
    if (hFocus != m_hWnd && hFocus != m_pEdit->m_hWnd)
        SetFocus();
    Default();
}

void CGridCtrl::OnLButtonDblClk(UINT, POINT point)
{
    if (IsReady())
        SelectCellAt(point, true);
    Default();
}

void CGridCtrl::StartDrag(int nColumn, int nBorder)
{
    m_nDragColumn = nColumn;
    m_nDragOrigin = GetCellRect(0, nColumn).left;
    SetCapture(m_hWnd);
    m_bDragging = true;
    m_nGuideLeft = m_nGuideRight = -1;
    InvertGuide(nBorder);
    RECT clip = { m_nDragOrigin + 2 * m_nCharWidth, 0, m_nDragLimit, m_nRowHeight };
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&clip), 2);
    ClipCursor(&clip);
}

// Removes the guide line drawn last and, for x >= 0, draws one at x.
void CGridCtrl::InvertGuide(int x)
{
    CClientDC dc(this);
    if (m_nGuideLeft >= 0) {
        RECT old = { m_nGuideLeft, 0, m_nGuideRight, m_rcClient.bottom };
        dc.InvertRect(&old);
    }
    m_nGuideLeft = m_nGuideRight = -1;
    if (x >= 0) {
        RECT rc = { x, 0, x + 1, m_rcClient.bottom };
        dc.InvertRect(&rc);
        m_nGuideLeft = x;
        m_nGuideRight = x + 1;
    }
}

void CGridCtrl::OnMouseMove(UINT, POINT point)
{
    if (m_bDragging && point.x >= m_nDragOrigin + 2 * m_nCharWidth && point.x <= m_nDragLimit && point.y > 0 &&
        point.y < m_nRowHeight)
        InvertGuide(point.x);
    Default();
}

void CGridCtrl::OnLButtonUp(UINT, POINT point)
{
    ClipCursor(nullptr);
    if (m_bDragging) {
        int width = point.x - m_nDragOrigin;
        if (width < 2 * m_nCharWidth)
            width = 2 * m_nCharWidth;
        if (width > m_nDragLimit - m_nDragOrigin)
            width = m_nDragLimit - m_nDragOrigin;
        m_colWidths.SetAt(m_nDragColumn, static_cast<WORD>(width));
        m_bDragging = false;
        m_nGuideLeft = m_nGuideRight = -1;
        ReleaseCapture();
        RECT rc = { m_nDragOrigin, 0, m_rcClient.right, m_rcClient.bottom };
        InvalidateRect(&rc, FALSE);
        m_bAutoFitColumns = false;
        RecalcLayout();
        if (m_pEdit->IsOpen())
            MoveEditorToLayout();
        else
            DrawFrame(true);
    }
    Default();
}

// After a column resize and its repaint the open editor goes onto its cell's
// new rectangle. The move itself draws nothing: the grid then paints the place
// the editor left, and the editor draws itself where it now is.
void CGridCtrl::MoveEditorToLayout()
{
    RECT rcOld;
    ::GetWindowRect(m_pEdit->m_hWnd, &rcOld);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcOld), 2);
    UpdateCurrentRect();
    PlaceEditorOnCell();
    InvalidateRect(&rcOld, FALSE);
    UpdateWindow();
    ::RedrawWindow(m_pEdit->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

// A drag whose capture went elsewhere (Alt+Tab, a message box, a cancelled
// mode) ends without a change: the cursor is freed and the guide removed.
void CGridCtrl::CancelDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = false;
    ClipCursor(nullptr);
    InvertGuide(-1);
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
}

void CGridCtrl::OnCancelMode()
{
    CancelDrag();
    Default();
}

void CGridCtrl::OnCaptureChanged(HWND hWnd)
{
    if (hWnd != m_hWnd)
        CancelDrag();
    Default();
}
