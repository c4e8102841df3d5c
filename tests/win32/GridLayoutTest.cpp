// The grid in the Data to Graph template: its metrics and scroll-bar rules,
// the row-number column, cell geometry, painting and scrolling.
#include <gtest/gtest.h>

#include "tests/support/GridHost.h"

namespace {

bool HasBar(HWND hWnd, LONG style)
{
    return (GetWindowLongA(hWnd, GWL_STYLE) & style) != 0;
}

}  // namespace

TEST(GridLayout, MetricsFollowTheFont)
{
    GridHost host(GridHost::NumberedRows(3));
    CGridCtrl& g = *host.grid;
    WNDCLASSA wc = {};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "GridControl", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS), wc.style) << "double clicks reach the grid";
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), wc.hbrBackground);
    EXPECT_NO_THROW(CGridCtrl second) << "a second grid finds the class registered";
    ASSERT_GT(g.m_nCharWidth, 0);
    EXPECT_EQ((3 * g.m_nLineHeight) / 2, g.m_nRowHeight);
    EXPECT_EQ((g.m_nRowHeight - g.m_nLineHeight) / 2 - 2, g.m_nTextOffset);
    EXPECT_EQ(9 * g.m_nCharWidth, g.m_nDefColWidth);
    EXPECT_EQ(4 * g.m_nCharWidth, g.m_colWidths[0]);
    // Two auto-fitted columns share what the row numbers leave, remainder dropped.
    int expected = (g.m_rcClient.right - g.m_colWidths[0]) / 2;
    EXPECT_EQ(expected, g.m_colWidths[1]);
    EXPECT_EQ(expected, g.m_colWidths[2]);
    RECT rc = g.GetCellRect(1, 2);
    EXPECT_EQ(g.m_colWidths[0] + g.m_colWidths[1], rc.left);
    EXPECT_EQ(g.m_nRowHeight, rc.top);
    EXPECT_EQ(rc.left + g.m_colWidths[2] + 1, rc.right);
    EXPECT_EQ(rc.top + g.m_nRowHeight + 1, rc.bottom);
}

TEST(GridLayout, RowNumberColumnWidensAtEachNewDigit)
{
    const int cases[][2] = { { 999, 4 }, { 1000, 5 }, { 9999, 5 }, { 10000, 6 }, { 100000, 7 } };
    for (const auto& c : cases) {
        GridHost host(GridHost::NumberedRows(c[0] - 1));
        EXPECT_EQ(c[1] * host.grid->m_nCharWidth, host.grid->m_colWidths[0]) << c[0] << " rows";
    }
    GridHost host(GridHost::NumberedRows(998));
    host.grid->AddRow();
    EXPECT_EQ(5 * host.grid->m_nCharWidth, host.grid->m_colWidths[0]) << "the 999th data row widens at once";
}

TEST(GridLayout, VerticalBarAppearsWhenRowsPassTheHeight)
{
    int rowsThatFit;
    {
        GridHost probe(GridHost::NumberedRows(2));
        int avail = probe.grid->m_rcClient.bottom - GetSystemMetrics(SM_CYHSCROLL);
        rowsThatFit = avail / probe.grid->m_nRowHeight;
    }
    GridHost fits(GridHost::NumberedRows(rowsThatFit - 1));
    EXPECT_FALSE(HasBar(fits.Grid(), WS_VSCROLL));
    EXPECT_EQ(0, fits.grid->m_nVMax);
    int fittedWidth = fits.grid->m_colWidths[1];
    GridHost over(GridHost::NumberedRows(rowsThatFit));
    EXPECT_TRUE(HasBar(over.Grid(), WS_VSCROLL));
    EXPECT_EQ(rowsThatFit + 1, over.grid->m_nVMax);
    int bar = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ((over.grid->m_rcClient.right - over.grid->m_colWidths[0] - bar) / 2, over.grid->m_colWidths[1]);
    EXPECT_GT(fittedWidth, over.grid->m_colWidths[1]);
    EXPECT_FALSE(HasBar(over.Grid(), WS_HSCROLL));
    EXPECT_EQ(over.grid->m_rcData.right - 5, over.grid->m_pEdit->m_nRightLimit) << "the editor's limit follows the bar";
}

// 100,000,000 rows are more pixels than 32 bits count: the bar is there,
// the last row below the first page and at the bottom of the last.
TEST(GridLayout, RowsPastA32BitPixelCountScrollToTheLast)
{
    GridHost host(GridHost::NumberedRows(2));
    CGridCtrl& g = *host.grid;
    g.m_nRows = 100000000;
    g.RecalcLayout();
    EXPECT_EQ(g.m_nRows, g.m_nVMax);
    SendMessageA(host.Grid(), WM_VSCROLL, SB_BOTTOM, 0);
    RECT last = g.GetCellRect(g.m_nRows - 1, 1);
    EXPECT_GT(last.top, 0);
    EXPECT_LE(last.bottom, g.m_rcClient.bottom);
}

TEST(GridLayout, CellFromPointStaysInsideTheData)
{
    GridHost host(GridHost::NumberedRows(40));
    CGridCtrl& g = *host.grid;
    SendMessageA(host.Grid(), WM_VSCROLL, SB_PAGEDOWN, 0);
    GridCell title = g.CellFromPoint(1, 1);
    EXPECT_EQ(g.m_nVScroll + 1, title.row);
    EXPECT_EQ(1, title.column);
    GridCell outside = g.CellFromPoint(5000, 5000);
    EXPECT_EQ(40, outside.row);
    EXPECT_EQ(2, outside.column);
    RECT off = g.GetCellRect(g.m_nVScroll, 1);
    EXPECT_TRUE(IsRectEmpty(&off)) << "a row scrolled off has no rectangle";
}

TEST(GridLayout, PaintShowsHeadersCellsAndFrame)
{
    GridHost host({ "X Y", "1.5\t2", "3\t4" });
    CGridCtrl& g = *host.grid;
    Picture p = host.ClientPixels();
    RECT data = g.GetCellRect(2, 2);
    EXPECT_EQ(RGB(255, 251, 240), p.At(data.left + 3, data.bottom - 4)) << "cream cells";
    RECT head = g.GetCellRect(0, 1);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), p.At(head.left + 3, head.top + 3)) << "button-face headers";
    RECT cur = g.GetCellRect(1, 1);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF, p.At(cur.left + 5, cur.top)) << "current-cell frame";
    int ink = 0;
    for (int x = data.left; x < data.right - 2; ++x)
        for (int y = data.top + 1; y < data.bottom - 2; ++y)
            ink += p.At(x, y) == RGB(0, 0, 0);
    EXPECT_GT(ink, 5) << "the 4 is drawn";
    CreateDirectoryA("screenshots", nullptr);
    EXPECT_TRUE(SavePicture(CaptureWindow(host.Dialog()), "screenshots/grid.png"));
}

TEST(GridLayout, ScrollingLeavesTheSamePixelsAsARepaint)
{
    GridSettings s;
    s.nColumns = 6;
    s.bAutoFitColumns = false;
    std::vector<std::string> rows = { "A\tB\tC\tD\tE\tF" };
    for (int i = 1; i <= 60; ++i)
        rows.push_back(std::to_string(i) + "\t1\t2\t3\t4\t" + std::to_string(i * 7));
    GridHost host(rows, s);
    CGridCtrl& g = *host.grid;
    ASSERT_GT(g.m_nHMax, 0);
    const UINT steps[][2] = { { WM_VSCROLL, SB_LINEDOWN }, { WM_HSCROLL, SB_LINERIGHT }, { WM_VSCROLL, SB_PAGEDOWN },
                              { WM_HSCROLL, SB_PAGERIGHT }, { WM_VSCROLL, SB_BOTTOM }, { WM_HSCROLL, SB_RIGHT },
                              { WM_HSCROLL, SB_RIGHT }, { WM_VSCROLL, SB_LINEUP }, { WM_HSCROLL, SB_LINELEFT },
                              { WM_VSCROLL, SB_PAGEUP }, { WM_HSCROLL, SB_LEFT }, { WM_HSCROLL, SB_LINELEFT },
                              { WM_VSCROLL, SB_TOP } };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        SendMessageA(host.Grid(), steps[i][0], steps[i][1], 0);
        Picture scrolled = host.ClientPixels();
        InvalidateRect(host.Grid(), nullptr, TRUE);
        Picture repainted = host.ClientPixels();
        EXPECT_EQ(0, CountDifferences(scrolled, repainted)) << "step " << i;
        EXPECT_EQ(g.m_nVScroll, GetScrollPos(host.Grid(), SB_VERT)) << "step " << i;
        EXPECT_EQ(g.m_nHScroll, GetScrollPos(host.Grid(), SB_HORZ)) << "step " << i;
        EXPECT_LE(g.m_nHScroll, g.m_nColumns - 1) << "step " << i;
    }
}

TEST(GridLayout, ThumbTrackReadsFullPositions)
{
    GridHost host(GridHost::NumberedRows(100000));
    // Drag the thumb to the bottom: the system's tracking loop takes the
    // queued mouse messages (client coordinates) after the button-down.
    RECT client;
    GetClientRect(host.Grid(), &client);
    int x = client.right + GetSystemMetrics(SM_CXVSCROLL) / 2;
    int arrow = GetSystemMetrics(SM_CYVSCROLL);
    PostMessageA(host.Grid(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, client.bottom - arrow - 2));
    PostMessageA(host.Grid(), WM_LBUTTONUP, 0, MAKELPARAM(x, client.bottom - arrow - 2));
    POINT down = { x, arrow + 3 };
    ClientToScreen(host.Grid(), &down);
    SendMessageA(host.Grid(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(down.x, down.y));
    host.Pump();
    EXPECT_GT(host.grid->m_nVScroll, 65535) << "the 16-bit position would wrap";
    EXPECT_EQ(host.grid->m_nVScroll, GetScrollPos(host.Grid(), SB_VERT));
    SendMessageA(host.Grid(), WM_VSCROLL, SB_TOP, 0);
    SendMessageA(host.Grid(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 70000 & 0xFFFF), 0);
    EXPECT_EQ(70000 & 0xFFFF, host.grid->m_nVScroll) << "a program's request has only the low word";
    SendMessageA(host.Grid(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_GT(host.grid->m_nVScroll, 99000);
    EXPECT_EQ(host.grid->m_nVScroll, GetScrollPos(host.Grid(), SB_VERT));
}
