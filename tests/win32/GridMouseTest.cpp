// Clicks, header selection, cursors and column resizing by the header border.
#include <gtest/gtest.h>

#include "grid/GridResource.h"
#include "tests/support/GridHost.h"

namespace {

bool CursorIsFree()
{
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    RECT clip, screen = { x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN) };
    GetClipCursor(&clip);
    return EqualRect(&clip, &screen) != FALSE;
}

// The x of the border at the right of data column 1.
int Border1(const CGridCtrl& g)
{
    return g.GetCellRect(0, 1).right - 2;
}

}  // namespace

TEST(GridMouse, ClicksSelectCellsAndDoubleClickEdits)
{
    GridHost host(GridHost::NumberedRows(3));
    CGridCtrl& g = *host.grid;
    SetFocus(host.Dialog());
    RECT rc = g.GetCellRect(2, 2);
    host.Click(rc.left + 3, rc.top + 3);
    EXPECT_EQ(2, g.m_nCurRow);
    EXPECT_EQ(2, g.m_nCurCol);
    EXPECT_EQ(host.Grid(), GetFocus()) << "a click on a cell gives the grid the focus";
    host.Click(g.m_rcClient.right - 2, g.m_rcClient.bottom - 2);
    EXPECT_EQ(2, g.m_nCurRow) << "below the last row nothing happens";
    rc = g.GetCellRect(3, 1);
    host.Click(rc.left + 3, rc.top + 3, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(g.m_pEdit->IsOpen());
    EXPECT_EQ("3", host.EditorText());
    host.Type("9");
    rc = g.GetCellRect(1, 1);
    host.Click(rc.left + 3, rc.top + 3);
    EXPECT_EQ("9", host.Cell(3, 1)) << "a click on a data cell commits";
    EXPECT_FALSE(g.m_pEdit->IsOpen());
}

TEST(GridMouse, AClickAnywhereGivesTheGridTheFocus)
{
    GridHost host(GridHost::NumberedRows(3));
    CGridCtrl& g = *host.grid;
    const struct {
        const char* where;
        POINT point;
    } cases[] = {
        { "row number", { 3, g.m_nRowHeight * 2 + 3 } },
        { "column title", { Border1(g) - 10, 3 } },
        { "corner", { 3, 3 } },
        { "column border", { Border1(g), 3 } },
        { "below the rows", { g.m_rcClient.right - 2, g.m_rcClient.bottom - 2 } },
    };
    for (const auto& c : cases) {
        SetFocus(GetDlgItem(host.Dialog(), IDOK));  // as Ctrl+Tab leaves it
        host.Click(c.point.x, c.point.y);
        host.Click(c.point.x, c.point.y, WM_LBUTTONUP);
        EXPECT_EQ(host.Grid(), GetFocus()) << c.where;
    }
}

TEST(GridMouse, RowHeaderSelectsOnlyWithTwoDataRows)
{
    GridHost host(GridHost::NumberedRows(2));
    CGridCtrl& g = *host.grid;
    host.Click(3, g.m_nRowHeight * 2 + 3);
    EXPECT_EQ(2, g.m_nSelRow);
    host.Key(VK_DOWN, host.Grid());
    EXPECT_EQ(0, g.m_nSelRow) << "any key but Delete ends the row selection";
    GridHost single(GridHost::NumberedRows(1));
    single.Type("5", single.Grid());
    single.Click(3, single.grid->m_nRowHeight + 3);
    EXPECT_EQ(0, single.grid->m_nSelRow);
    EXPECT_FALSE(single.grid->m_pEdit->IsOpen());
    EXPECT_EQ("1", single.Cell(1, 1)) << "a header click discards the edit";
}

TEST(GridMouse, CursorsOverHeaders)
{
    GridSettings s;
    s.bCanSelectColumns = true;
    GridHost host(GridHost::NumberedRows(3), s);
    CGridCtrl& g = *host.grid;
    const struct {
        POINT point;
        UINT cursor;
    } cases[] = { { { Border1(g), 3 }, IDC_GRID_RESIZE },
                  { { 3, g.m_nRowHeight + 3 }, IDC_GRID_ROW },
                  { { Border1(g) - 10, 3 }, IDC_GRID_COLUMN } };
    for (const auto& c : cases) {
        POINT screen = c.point;
        ClientToScreen(host.Grid(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageA(host.Grid(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host.Grid()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        HCURSOR expected = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.cursor));
        ASSERT_NE(nullptr, expected);
        EXPECT_EQ(expected, GetCursor()) << c.cursor;
    }
}

TEST(GridMouse, DragToTheFarLeftGivesTwoCharacters)
{
    GridHost host(GridHost::NumberedRows(3));
    CGridCtrl& g = *host.grid;
    int y = g.m_nRowHeight / 2;
    host.Click(Border1(g), y);
    ASSERT_TRUE(g.m_bDragging);
    EXPECT_EQ(host.Grid(), GetCapture());
    host.Click(g.m_colWidths[0] + 3 * g.m_nCharWidth, y, WM_MOUSEMOVE);
    EXPECT_EQ(g.m_colWidths[0] + 3 * g.m_nCharWidth, g.m_nGuideLeft);
    host.Click(0, y, WM_LBUTTONUP);
    EXPECT_EQ(2 * g.m_nCharWidth, g.m_colWidths[1]);
    EXPECT_FALSE(g.m_bAutoFitColumns);
    EXPECT_FALSE(g.m_bDragging);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(CursorIsFree());
    g.AddRow();
    EXPECT_EQ(2 * g.m_nCharWidth, g.m_colWidths[1]) << "a later layout keeps the user's width";
}

TEST(GridMouse, LostCaptureEndsTheDragUnchanged)
{
    for (UINT how : { static_cast<UINT>(WM_CANCELMODE), 0u }) {
        GridHost host(GridHost::NumberedRows(3));
        CGridCtrl& g = *host.grid;
        Picture before = host.ClientPixels();
        int width = g.m_colWidths[1];
        int y = g.m_nRowHeight / 2;
        host.Click(Border1(g), y);
        host.Click(Border1(g) - g.m_nCharWidth, y, WM_MOUSEMOVE);
        ASSERT_TRUE(g.m_bDragging);
        if (how)
            SendMessageA(host.Grid(), how, 0, 0);
        else
            ReleaseCapture();  // as Alt+Tab or a message box would take it
        host.Pump();
        EXPECT_FALSE(g.m_bDragging) << how;
        EXPECT_TRUE(CursorIsFree()) << how;
        EXPECT_EQ(nullptr, GetCapture()) << how;
        EXPECT_EQ(0, CountDifferences(before, host.ClientPixels())) << how << ": guide line removed";
        host.Click(0, y, WM_LBUTTONUP);
        EXPECT_EQ(width, g.m_colWidths[1]) << how;
    }
}

TEST(GridMouse, InputBeforeInitializeIsHarmless)
{
    // The dialog shows the control before the host has set the grid up.
    CGridCtrl grid;
    HWND hWnd = CreateWindowExA(0, "GridControl", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_TRUE(grid.SubclassWindow(hWnd));
    const UINT messages[] = { WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_KEYDOWN, WM_CHAR, WM_VSCROLL, WM_CONTEXTMENU };
    for (UINT msg : messages)
        SendMessageA(hWnd, msg, msg == WM_KEYDOWN ? VK_END : msg == WM_CHAR ? '5' : 0, MAKELPARAM(10, 10));
    SendMessageA(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    UpdateWindow(hWnd);
    EXPECT_EQ(1, grid.m_nCurRow);
}

// A column resized under the open editor leaves what a full repaint draws.
TEST(GridMouse, ResizeWhileEditingPaintsTheEditorWhole)
{
    for (int column : { 1, 2 }) {
        GridHost host(GridHost::NumberedRows(3));
        CGridCtrl& g = *host.grid;
        host.Click(g.GetCellRect(1, 2).left + 3, g.GetCellRect(1, 2).top + 3, WM_LBUTTONDBLCLK);
        host.Type("123");
        int border = g.GetCellRect(0, column).right - 2;
        host.Click(border, 3);
        for (UINT msg : { WM_MOUSEMOVE, WM_LBUTTONUP })
            host.Click(border + 3 * g.m_nCharWidth, 3, msg);
        host.Pump();
        ASSERT_TRUE(g.m_pEdit->IsOpen()) << column;
        Picture after = host.ClientPixels();
        RedrawWindow(host.Grid(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_EQ(0, CountDifferences(host.ClientPixels(), after)) << "column " << column << " widened";
    }
}
