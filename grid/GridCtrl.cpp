// CGridCtrl: construction, layout and scrolling.
#include "grid/GridCtrl.h"

#include <vector>

#include "framework/Dc.h"
#include "framework/Exception.h"
#include "grid/GridData.h"
#include "grid/GridEdit.h"
#include "grid/GridLayout.h"
#include "grid/GridResource.h"

IMPLEMENT_DYNCREATE(CGridCtrl)

namespace {

const char kGridClass[] = "GridControl";

void RegisterGridClass()
{
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (GetClassInfoA(hInst, kGridClass, &wc))
        return;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kGridClass;
    if (!RegisterClassA(&wc))
        AfxThrowResourceException();
}

}  // namespace

CGridCtrl::CGridCtrl() : m_crHeader(GetSysColor(COLOR_BTNFACE))
{
    RegisterGridClass();
    // A missing face still gives a font; without any, a stock fixed font, so
    // the rows never get a height of 0.
    if (m_font.CreatePointFont(100, "Courier New"))
        m_hFont = m_font;
    else
        m_hFont = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    HDC hdc = GetDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, m_hFont);
    TEXTMETRICA tm = {};
    GetTextMetricsA(hdc, &tm);
    SelectObject(hdc, hOld);
    ReleaseDC(nullptr, hdc);
    m_nCharWidth = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 8;
    m_nLineHeight = tm.tmHeight + tm.tmExternalLeading > 0 ? tm.tmHeight + tm.tmExternalLeading : 16;
    m_pEdit = new CGridEdit;
}

CGridCtrl::~CGridCtrl()
{
    // No handler of ours runs from here on; the editor goes before the font
    // it was given, the window last.
    HWND hWnd = m_hWnd;
    if (hWnd)
        Detach();
    delete m_pEdit;
    m_pEdit = nullptr;
    if (hWnd)
        ::DestroyWindow(hWnd);
}

void CGridCtrl::Initialize()
{
    m_nRows = m_pData->GetRowCount();
    m_nColumns = m_pData->GetColumnCount();
    m_nDefColWidth = 9 * m_nCharWidth;
    m_nRowHeight = (3 * m_nLineHeight) / 2;
    m_nTextOffset = ((m_nRowHeight - m_nLineHeight) / 2) - 2;
    m_colWidths.SetSize(m_nColumns + 1, 1);
    SetRowNumberWidth();
    for (int c = 1; c <= m_nColumns; ++c)
        m_colWidths.SetAt(c, static_cast<WORD>(m_nDefColWidth));
    m_bDragging = false;
    m_nDragOrigin = m_colWidths[0];
    GetClientRect(&m_rcClient);
    m_rcData = m_rcClient;
    RecalcLayout();
    RECT rc = m_rcCurrent;
    // The editor widens as its text grows; where it cannot (at the right of
    // the data area), the text scrolls instead of refusing the character.
    m_pEdit->Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, rc, this, IDC_GRID_EDIT);
    m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
    m_pEdit->m_pGrid = this;
    m_pEdit->m_nCharWidth = m_nCharWidth;
    m_pEdit->m_nRightLimit = m_nDragLimit;
}

bool CGridCtrl::IsReady() const
{
    return m_pData && m_colWidths.GetSize() > 0 && m_pEdit->m_hWnd;
}

void CGridCtrl::SetRowNumberWidth()
{
    if (m_colWidths.GetSize() < 1)
        m_colWidths.SetSize(1);
    m_colWidths.SetAt(0, static_cast<WORD>(RowNumberChars(m_nRows) * m_nCharWidth));
}

void CGridCtrl::ComputeTotals()
{
    m_nTotalHeight = RowSpan(m_nRows, m_nRowHeight);
    m_nTotalWidth = 0;
    for (int c = 0; c <= m_nColumns && c < m_colWidths.GetSize(); ++c)
        m_nTotalWidth += m_colWidths[c];
}

void CGridCtrl::FitColumns(int nBarWidth)
{
    if (m_nColumns < 1)
        return;
    int width = (m_rcClient.right - m_colWidths[0] - nBarWidth) / m_nColumns;
    if (width < 2 * m_nCharWidth)
        width = 2 * m_nCharWidth;
    for (int c = 1; c <= m_nColumns; ++c)
        m_colWidths.SetAtGrow(c, static_cast<WORD>(width));
    ComputeTotals();
}

void CGridCtrl::SetBar(int nBar, int nMax, int nPage, int nPos)
{
    SCROLLINFO si = { sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, nMax, static_cast<UINT>(nPage), nPos, 0 };
    SetScrollInfo(m_hWnd, nBar, &si, TRUE);
}

void CGridCtrl::SetScrollBars()
{
    int availHeight = m_rcClient.bottom - GetSystemMetrics(SM_CYHSCROLL);
    if (m_nTotalHeight > availHeight) {
        m_nVMax = m_nRows;
        m_nVPage = m_nRowHeight > 0 ? availHeight / m_nRowHeight : 0;
        // Rows may have gone: never beyond the last page.
        int top = m_nVMax - m_nVPage + 1;
        if (m_nVScroll > top)
            m_nVScroll = top > 0 ? top : 0;
    } else {
        m_nVMax = m_nVPage = m_nVScroll = 0;
    }
    SetBar(SB_VERT, m_nVMax, m_nVPage, m_nVScroll);
    int barWidth = m_nVMax ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    if (m_bAutoFitColumns)
        FitColumns(barWidth);
    int availWidth = m_rcClient.right - barWidth;
    if (m_nTotalWidth > availWidth) {
        m_nHMax = m_nColumns;
        std::vector<int> widths(m_nColumns + 1);
        for (int c = 0; c <= m_nColumns; ++c)
            widths[c] = m_colWidths[c];
        m_nHPage = ColumnsPerPage(widths, m_nColumns, availWidth);
        int last = m_nHMax - m_nHPage;
        if (last > m_nColumns - 1)
            last = m_nColumns - 1;
        if (m_nHScroll > last)
            m_nHScroll = last > 0 ? last : 0;
    } else {
        m_nHMax = m_nHPage = m_nHScroll = 0;
    }
    SetBar(SB_HORZ, m_nHMax, m_nHPage, m_nHScroll);
}

void CGridCtrl::RecalcLayout()
{
    ComputeTotals();
    SetScrollBars();
    GetClientRect(&m_rcData);
    m_rcData.top += m_nRowHeight;
    m_rcData.left += m_colWidths[0];
    m_nDragLimit = m_rcData.right - 5;
    // A bar that came or went changes how far the editor may grow.
    if (m_pEdit)
        m_pEdit->m_nRightLimit = m_nDragLimit;
    InvalidateRect(nullptr, FALSE);
    UpdateWindow();
}

int CGridCtrl::ColumnSpan(int nFirst, int nLast) const
{
    int sum = 0;
    for (int c = nFirst; c <= nLast && c < m_colWidths.GetSize(); ++c)
        sum += m_colWidths[c];
    return sum;
}

RECT CGridCtrl::GetCellRect(int nRow, int nColumn) const
{
    RECT rc = {};
    if (nRow > 0 && nRow <= m_nVScroll)
        return rc;
    if (nColumn > 0 && nColumn <= m_nHScroll)
        return rc;
    rc.top = nRow == 0 ? 0 : RowSpan(nRow - m_nVScroll, m_nRowHeight);
    rc.bottom = rc.top + m_nRowHeight + 1;
    if (nColumn == 0) {
        rc.right = m_colWidths[0] + 1;
    } else {
        rc.left = m_colWidths[0] + ColumnSpan(m_nHScroll + 1, nColumn - 1);
        rc.right = rc.left + (nColumn < m_colWidths.GetSize() ? m_colWidths[nColumn] : 0) + 1;
    }
    return rc;
}

GridCell CGridCtrl::CellFromPoint(int x, int y) const
{
    GridCell cell;
    cell.row = m_nVScroll + (m_nRowHeight > 0 ? y / m_nRowHeight : 0);
    if (cell.row > m_nRows - 1)
        cell.row = m_nRows - 1;
    if (cell.row < m_nVScroll + 1)
        cell.row = m_nVScroll + 1;
    int c = m_nHScroll + 1;
    int edge = m_colWidths[0];
    while (c < m_nColumns) {
        edge += m_colWidths[c];
        if (x <= edge)
            break;
        ++c;
    }
    cell.column = c;
    return cell;
}

int CGridCtrl::ThumbPosition(int nBar, UINT nPos) const
{
    SCROLLINFO si = { sizeof si, SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0 };
    GetScrollInfo(m_hWnd, nBar, &si);
    // A thumb drag reports its 32-bit position here; a request sent by a
    // program has only the 16-bit one, which agrees with it in its low word.
    if (static_cast<UINT>(si.nTrackPos & 0xFFFF) == nPos)
        return si.nTrackPos;
    return static_cast<int>(nPos);
}

// The move a scroll-bar code asks of bar nBar; the horizontal codes have the
// values of the vertical ones (SB_LINELEFT is SB_LINEUP, SB_RIGHT SB_BOTTOM).
// False for a code or a position that moves nothing (the thumb let go where
// it was), which leaves an open edit alone.
bool CGridCtrl::BarChange(int nBar, UINT nCode, UINT nPos, int& change) const
{
    const bool horz = nBar == SB_HORZ;
    const int page = horz ? m_nHPage : m_nVPage;
    const int pos = horz ? m_nHScroll : m_nVScroll;
    switch (nCode) {
    case SB_LINEUP: change = -1; break;
    case SB_LINEDOWN: change = 1; break;
    case SB_PAGEUP: change = -page; break;
    case SB_PAGEDOWN: change = page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: change = ThumbPosition(nBar, nPos) - pos; break;
    case SB_TOP: change = -pos; break;
    case SB_BOTTOM: change = horz ? m_nHMax : m_nVMax; break;
    default: return false;
    }
    return change != 0;
}

void CGridCtrl::OnHScroll(UINT nCode, UINT nPos, HWND)
{
    int change = 0;
    if (IsReady() && BarChange(SB_HORZ, nCode, nPos, change))
        ScrollHorz(change);
}

void CGridCtrl::ScrollHorz(int nChange)
{
    if (m_pEdit->IsOpen())
        CloseEditor(TRUE);
    if (nChange == 0 || (nChange > 0 && m_nHMax == 0))
        return;
    int old = m_nHScroll;
    int pos, distance;
    if (nChange > 0) {
        if (old >= m_nColumns - 1)
            return;
        pos = old + nChange;
        if (pos > m_nHMax - m_nHPage)
            pos = m_nHMax - m_nHPage;
        if (pos > m_nColumns - 1)
            pos = m_nColumns - 1;
        distance = pos > old ? ColumnSpan(old + 1, pos) : 0;
    } else {
        pos = old + nChange < 0 ? 0 : old + nChange;
        distance = -ColumnSpan(pos + 1, old);
    }
    if (pos < old && nChange > 0)
        pos = old;
    m_nHScroll = pos;
    InvalidateFrame();
    // Cells overlap by a pixel: x = width of column 0 is still the row
    // numbers' edge, which stays.
    RECT rc = { m_colWidths[0] + 1, 0, m_rcClient.right, m_rcClient.bottom };
    ScrollWindowEx(m_hWnd, -distance, 0, &rc, &rc, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    OffsetRect(&m_rcCurrent, -distance, 0);
    SetBar(SB_HORZ, m_nHMax, m_nHPage, m_nHScroll);
}

void CGridCtrl::OnVScroll(UINT nCode, UINT nPos, HWND)
{
    int change = 0;
    if (IsReady() && BarChange(SB_VERT, nCode, nPos, change))
        ScrollVert(change);
}

void CGridCtrl::ScrollVert(int nChange)
{
    if (m_pEdit->IsOpen())
        CloseEditor(TRUE);
    // Without a bar everything is shown: nothing to move.
    if (nChange == 0 || (nChange > 0 && m_nVMax == 0))
        return;
    int old = m_nVScroll;
    int pos;
    if (nChange > 0) {
        int last = m_nVMax - m_nVPage + 1;
        pos = old + nChange < last ? old + nChange : last;
        if (pos < old)
            pos = old;
    } else {
        pos = old + nChange < 0 ? 0 : old + nChange;
    }
    m_nVScroll = pos;
    InvalidateFrame();
    int distance = RowSpan(pos - old, m_nRowHeight);
    RECT rc = { 0, m_nRowHeight + 1, m_rcClient.right, m_rcClient.bottom };
    ScrollWindowEx(m_hWnd, 0, -distance, &rc, &rc, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    OffsetRect(&m_rcCurrent, 0, -distance);
    SetBar(SB_VERT, m_nVMax, m_nVPage, m_nVScroll);
}

// The frame overlaps the headers by a pixel, where the scrolling leaves it
// behind: that part is painted again.
void CGridCtrl::InvalidateFrame()
{
    if (IsRectEmpty(&m_rcCurrent) || m_pEdit->IsOpen())
        return;
    RECT rc = m_rcCurrent;
    InflateRect(&rc, 1, 1);
    InvalidateRect(&rc, FALSE);
}

void CGridCtrl::EnsureVisible(int nRow, int nColumn)
{
    if (nRow >= 1 && nRow <= m_nVScroll) {
        ScrollVert(nRow - 1 - m_nVScroll);
    } else if (nRow >= 1 && m_nVMax) {
        // The row's bottom edge, (r - v + 1) * height + 1, within the data area.
        int needed = nRow + 1 - (m_rcData.bottom - 1) / m_nRowHeight;
        if (needed > m_nVScroll)
            ScrollVert(needed - m_nVScroll);
    }
    if (nColumn >= 1 && nColumn <= m_nHScroll) {
        ScrollHorz(nColumn - 1 - m_nHScroll);
    } else if (nColumn >= 1 && m_nHMax) {
        int pos = m_nHScroll;
        while (pos < nColumn - 1 && m_colWidths[0] + ColumnSpan(pos + 1, nColumn) + 1 > m_rcData.right)
            ++pos;
        if (pos > m_nHScroll)
            ScrollHorz(pos - m_nHScroll);
    }
}
