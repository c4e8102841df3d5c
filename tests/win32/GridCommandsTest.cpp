// The grid's menu and its row and column commands.
#include <gtest/gtest.h>

#include "grid/GridResource.h"
#include "tests/support/GridHost.h"

namespace {

void ClickRowHeader(GridHost& host, int nRow)
{
    host.Click(3, (nRow - host.grid->m_nVScroll) * host.grid->m_nRowHeight + 3);
}

void ClickColumnHeader(GridHost& host, int nColumn)
{
    RECT rc = host.grid->GetCellRect(0, nColumn);
    host.Click((rc.left + rc.right) / 2, 3);
}

void Pick(GridHost& host, UINT nID)
{
    host.menuPick = nID;
    host.grid->ShowGridMenu();
    host.Pump();
}

}  // namespace

TEST(GridCommands, MenuOfTheDataDialogHoldsTheRowItems)
{
    GridHost host(GridHost::NumberedRows(3));
    Pick(host, 0);
    ASSERT_EQ(2u, host.lastMenu.size());
    EXPECT_EQ("Add New &Row", host.lastMenu[0].text);
    EXPECT_FALSE(host.lastMenu[0].grayed);
    EXPECT_EQ("&Remove Selected Row", host.lastMenu[1].text);
    EXPECT_TRUE(host.lastMenu[1].grayed);
    Pick(host, ID_GRID_ADD_ROW);
    EXPECT_EQ(5, host.grid->m_nRows);
    EXPECT_EQ(5, host.rowStrings.GetSize());
    EXPECT_EQ(host.Grid(), GetFocus());
}

TEST(GridCommands, RemovingARowAsksAndRenumbers)
{
    GridHost host(GridHost::NumberedRows(3));
    host.grid->SetCurrentCell(3, 2);
    ClickRowHeader(host, 2);
    ASSERT_EQ(2, host.grid->m_nSelRow);
    host.answers = { IDNO };
    Pick(host, ID_GRID_REMOVE_ROW);
    EXPECT_FALSE(host.lastMenu[1].grayed);
    ASSERT_EQ(1u, host.boxes.size());
    EXPECT_EQ("Do you want to remove all data in Row 2?", host.boxes[0]);
    EXPECT_EQ(4, host.grid->m_nRows);
    EXPECT_EQ(2, host.grid->m_nSelRow) << "No keeps the selection";
    host.Key(VK_DELETE, host.Grid());
    ASSERT_EQ(3u, host.boxes.size());
    EXPECT_EQ("All Rows have been renumbered.", host.boxes[2]);
    EXPECT_EQ(3, host.grid->m_nRows);
    EXPECT_EQ(3, host.data.GetRowCount());
    EXPECT_EQ("3\t6", host.rowStrings[2].str());
    EXPECT_EQ(2, host.grid->m_nCurRow) << "the current cell left the removed last row";
    EXPECT_EQ(0, host.grid->m_nSelRow);
    ClickRowHeader(host, 1);
    host.Key(VK_DELETE, host.Grid());
    EXPECT_EQ(2, host.grid->m_nRows);
    ClickRowHeader(host, 1);
    EXPECT_EQ(0, host.grid->m_nSelRow) << "the last data row cannot be selected";
    Pick(host, ID_GRID_REMOVE_ROW);
    EXPECT_TRUE(host.lastMenu[1].grayed);
    EXPECT_EQ(2, host.grid->m_nRows);
}

TEST(GridCommands, ScrollPositionsFollowRemovals)
{
    GridHost host(GridHost::NumberedRows(30));
    CGridCtrl& g = *host.grid;
    SendMessageA(host.Grid(), WM_VSCROLL, SB_BOTTOM, 0);
    while (g.m_nRows > 4) {
        ClickRowHeader(host, g.m_nVScroll + 1);
        host.Key(VK_DELETE, host.Grid());
        int top = g.m_nVMax ? g.m_nVMax - g.m_nVPage + 1 : 0;
        ASSERT_LE(g.m_nVScroll, top) << g.m_nRows << " rows";
    }
    EXPECT_EQ(0, g.m_nVScroll);
    EXPECT_EQ(0, g.m_nVMax);
    GridCell cell = g.CellFromPoint(5, 5);
    EXPECT_EQ(1, cell.row);
    Picture shown = host.ClientPixels();
    InvalidateRect(host.Grid(), nullptr, TRUE);
    EXPECT_EQ(0, CountDifferences(shown, host.ClientPixels())) << "the grid shows its rows";
}

TEST(GridCommands, ColumnsAddAndRemoveButTheLastStays)
{
    GridSettings s;
    s.bCanAddColumns = true;
    s.bCanSelectColumns = true;
    s.bAutoFitColumns = false;
    GridHost host(GridHost::NumberedRows(2), s);
    CGridCtrl& g = *host.grid;
    Pick(host, ID_GRID_ADD_COLUMN);
    ASSERT_EQ(4u, host.lastMenu.size());
    EXPECT_EQ("Add New &Column", host.lastMenu[0].text);
    EXPECT_EQ("Remove &Selected Column", host.lastMenu[1].text);
    EXPECT_TRUE(host.lastMenu[1].grayed);
    EXPECT_EQ(3, g.m_nColumns);
    EXPECT_EQ("1\t2\t", host.rowStrings[1].str());
    EXPECT_EQ(g.m_nDefColWidth, g.m_colWidths[3]);
    g.SetCurrentCell(1, 3);
    ClickColumnHeader(host, 3);
    ASSERT_EQ(3, g.m_nSelCol);
    Pick(host, ID_GRID_REMOVE_COLUMN);
    ASSERT_EQ(1u, host.boxes.size());
    EXPECT_EQ("Do you want to remove all data in Column ''?", host.boxes[0]);
    EXPECT_EQ(2, g.m_nColumns);
    EXPECT_LE(g.m_nCurCol, 2) << "the current cell stays inside the grid";
    ClickColumnHeader(host, 1);
    Pick(host, ID_GRID_REMOVE_COLUMN);
    EXPECT_EQ(1, g.m_nColumns);
    EXPECT_EQ("Y\t", host.rowStrings[0].str());
    ClickColumnHeader(host, 1);
    Pick(host, ID_GRID_REMOVE_COLUMN);
    EXPECT_TRUE(host.lastMenu[1].grayed) << "the last column cannot go";
    SendMessageA(host.Grid(), WM_COMMAND, ID_GRID_REMOVE_COLUMN, 0);
    EXPECT_EQ(1, g.m_nColumns);
    EXPECT_EQ(2u, host.boxes.size());
    host.Type("5", host.Grid());
    host.Char('\t');
    EXPECT_EQ("5", host.Cell(g.m_nCurRow, 1));
}

TEST(GridCommands, ContextMenuOpensAtTheFirstDataCell)
{
    GridHost host(GridHost::NumberedRows(3));
    POINT expected = { host.grid->m_colWidths[0], host.grid->m_nRowHeight };
    ClientToScreen(host.Grid(), &expected);
    host.menuPick = ID_GRID_ADD_ROW;
    SendMessageA(host.Grid(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(host.Grid()), MAKELPARAM(500, 500));
    host.Pump();
    EXPECT_EQ(5, host.grid->m_nRows);
    host.Type("1", host.Grid());
    SendMessageA(host.Editor(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(host.Editor()), MAKELPARAM(1, 1));
    host.Pump();
    EXPECT_EQ(6, host.grid->m_nRows) << "the editor's menu is the grid's";
    EXPECT_EQ("1", host.Cell(1, 1)) << "and the edit is committed as the grid takes the focus";
}

TEST(GridCommands, HorizontalPositionFollowsColumnRemovals)
{
    GridSettings s;
    s.bCanSelectColumns = true;
    s.bAutoFitColumns = false;
    s.nColumns = 6;
    GridHost host({ "A B C D E F", "1 2 3 4 5 6" }, s);
    CGridCtrl& g = *host.grid;
    SendMessageA(host.Grid(), WM_HSCROLL, SB_RIGHT, 0);
    ASSERT_GT(g.m_nHScroll, 0);
    while (g.m_nColumns > 1) {
        ClickColumnHeader(host, g.m_nHScroll + 1);
        Pick(host, ID_GRID_REMOVE_COLUMN);
        int last = g.m_nHMax ? g.m_nHMax - g.m_nHPage : 0;
        ASSERT_LE(g.m_nHScroll, last) << g.m_nColumns << " columns";
        ASSERT_LE(g.m_nHScroll, g.m_nColumns - 1);
    }
    EXPECT_EQ(0, g.m_nHScroll);
    Picture shown = host.ClientPixels();
    InvalidateRect(host.Grid(), nullptr, TRUE);
    EXPECT_EQ(0, CountDifferences(shown, host.ClientPixels()));
    EXPECT_EQ(1, g.CellFromPoint(500, 5).column);
}
