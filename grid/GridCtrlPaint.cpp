// CGridCtrl: painting, the current-cell frame and the selection marks.
#include "grid/GridCtrl.h"

#include "framework/Dc.h"
#include "grid/GridData.h"
#include "grid/GridEdit.h"

namespace {

// Selects a font into a context for one drawing and back.
class CSelectedFont {
public:
    CSelectedFont(CDC& dc, HFONT hFont) : m_dc(dc), m_hOld(dc.SelectObject(hFont)) {}
    ~CSelectedFont() { m_dc.SelectObject(m_hOld); }
    CSelectedFont(const CSelectedFont&) = delete;
    CSelectedFont& operator=(const CSelectedFont&) = delete;

private:
    CDC& m_dc;
    HGDIOBJ m_hOld;
};

}  // namespace

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    CBrush brush;
    brush.CreateSolidBrush(m_crCell);
    HGDIOBJ hOldBrush = dc.SelectObject(brush);
    dc.PatBlt(0, 0, m_rcClient.right, m_rcClient.bottom, PATCOPY);
    dc.SelectObject(hOldBrush);
    if (!m_pData || m_nRowHeight <= 0)
        return;
    const RECT& update = dc.m_ps.rcPaint;
    GridCell first = CellFromPoint(update.left, update.top);
    GridCell last = CellFromPoint(update.right, update.bottom);
    CSelectedFont font(dc, m_hFont);
    PaintHeaders(dc, first, last);
    PaintCells(dc, first, last);
    PaintLines(dc, first, last);
    PaintSelection(dc);
    if (!m_pEdit->IsOpen())
        DrawFrame(true);
}

void CGridCtrl::PaintHeaders(CDC& dc, GridCell first, GridCell last)
{
    dc.SetBkColor(m_crHeader);
    for (int c = first.column; c <= last.column; ++c) {
        RECT rc = GetCellRect(0, c);
        dc.DrawEdge(&rc, EDGE_ETCHED, BF_RECT | BF_MIDDLE);
        CString title(m_pData->GetCellText(0, c));
        SIZE size = dc.GetTextExtent(title);
        int width = m_colWidths[c];
        int x = size.cx < width ? rc.left + (width - size.cx) / 2 : rc.left + 2;
        RECT clip = rc;
        clip.right -= 2;
        dc.ExtTextOut(x, rc.top + m_nTextOffset, ETO_CLIPPED, &clip, title);
    }
    for (int r = first.row; r <= last.row; ++r) {
        RECT rc = GetCellRect(r, 0);
        dc.DrawEdge(&rc, EDGE_ETCHED, BF_RECT | BF_MIDDLE);
        char number[16];
        wsprintfA(number, "%d", r);
        SIZE size = dc.GetTextExtent(number);
        dc.TextOut(rc.left + m_colWidths[0] - size.cx - 3, rc.top + m_nTextOffset, number);
    }
    RECT corner = GetCellRect(0, 0);
    dc.DrawEdge(&corner, EDGE_ETCHED, BF_RECT | BF_MIDDLE);
    SIZE size = dc.GetTextExtent("Row");
    dc.TextOut(corner.left + m_colWidths[0] - size.cx - 3, corner.top + m_nTextOffset, "Row");
}

void CGridCtrl::PaintCells(CDC& dc, GridCell first, GridCell last)
{
    dc.SetBkColor(m_crCell);
    for (int r = first.row; r <= last.row; ++r) {
        for (int c = first.column; c <= last.column; ++c) {
            RECT rc = GetCellRect(r, c);
            CString text(m_pData->GetCellText(r, c));
            SIZE size = dc.GetTextExtent(text);
            int width = m_colWidths[c];
            int x = size.cx < width ? rc.left + width - size.cx - 2 : rc.left;
            RECT clip = rc;
            clip.right -= 2;
            dc.ExtTextOut(x, rc.top + m_nTextOffset, ETO_CLIPPED, &clip, text);
        }
    }
}

void CGridCtrl::PaintLines(CDC& dc, GridCell first, GridCell last)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
    HGDIOBJ hOld = dc.SelectObject(pen);
    if (m_bHorzLines) {
        int end = last.column == m_nColumns ? GetCellRect(0, m_nColumns).right : m_rcClient.right;
        for (int r = first.row; r <= last.row; ++r) {
            int y = (r - m_nVScroll + 1) * m_nRowHeight - 1;
            dc.MoveTo(m_colWidths[0], y);
            dc.LineTo(end - 1, y);
        }
    }
    if (m_bVertLines) {
        int end = last.row == m_nRows - 1 ? GetCellRect(m_nRows - 1, 0).bottom : m_rcClient.bottom;
        for (int c = first.column; c <= last.column; ++c) {
            int x = GetCellRect(0, c).right - 2;
            dc.MoveTo(x, m_nRowHeight);
            dc.LineTo(x, end - 1);
        }
    }
    dc.SelectObject(hOld);
}

void CGridCtrl::PaintSelection(CDC& dc)
{
    if (m_nSelRow) {
        RECT a = GetCellRect(m_nSelRow, m_nHScroll + 1);
        RECT b = GetCellRect(m_nSelRow, m_nColumns);
        m_rcSelection = { a.left, a.top, b.right - 1, a.bottom - 1 };
        dc.InvertRect(&m_rcSelection);
    }
    if (m_nSelCol) {
        RECT a = GetCellRect(m_nVScroll + 1, m_nSelCol);
        RECT b = GetCellRect(m_nRows - 1, m_nSelCol);
        m_rcSelection = { a.left, a.top, a.right - 1, b.bottom - 1 };
        dc.InvertRect(&m_rcSelection);
    }
}

// The current cell's rectangle inside its grid lines, empty when scrolled off.
void CGridCtrl::UpdateCurrentRect()
{
    m_rcCurrent = GetCellRect(m_nCurRow, m_nCurCol);
    if (!IsRectEmpty(&m_rcCurrent)) {
        m_rcCurrent.right -= 2;
        m_rcCurrent.bottom -= 2;
    }
    m_pEdit->m_rcCell = m_rcCurrent;
}

void CGridCtrl::DrawFrame(bool bDraw)
{
    CClientDC dc(this);
    HGDIOBJ hOldBrush = dc.SelectObject(GetStockObject(NULL_BRUSH));
    UpdateCurrentRect();
    // Known also for a cell scrolled off, as Enter in the editor asks for it.
    if (bDraw)
        m_bLastCell = m_nCurCol == m_nColumns && m_nCurRow == m_nRows - 1;
    if (!IsRectEmpty(&m_rcCurrent)) {
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, bDraw ? GetSysColor(COLOR_WINDOWTEXT) : m_crCell);
        HGDIOBJ hOldPen = dc.SelectObject(pen);
        dc.Rectangle(m_rcCurrent.left, m_rcCurrent.top, m_rcCurrent.right, m_rcCurrent.bottom);
        dc.SelectObject(hOldPen);
        if (!bDraw && m_nCurRow == 0)
            InvalidateRect(&m_rcCurrent, TRUE);
    }
    dc.SelectObject(hOldBrush);
}

void CGridCtrl::SetCurrentCell(int nRow, int nColumn)
{
    DrawFrame(false);
    m_nCurRow = nRow;
    m_nCurCol = nColumn;
    DrawFrame(true);
}
