// Moving about the grid with the keys, and the in-place editor's life cycle.
#include <gtest/gtest.h>

#include "tests/support/GridHost.h"

namespace {

struct KeyCase {
    int row, column;  // start
    UINT key;
    bool shift, ctrl;
    int expectedRow, expectedColumn;
};

void RunKeyCases(int nDataRows, const KeyCase* cases, size_t count)
{
    GridHost host(GridHost::NumberedRows(nDataRows));
    for (size_t i = 0; i < count; ++i) {
        const KeyCase& c = cases[i];
        host.grid->SetCurrentCell(c.row, c.column);
        host.grid->EnsureVisible(c.row, c.column);
        if (c.shift && c.ctrl) {
            HeldKeys keys({ VK_SHIFT, VK_CONTROL });
            host.Key(c.key, host.Grid());
        } else if (c.shift) {
            HeldKeys keys({ VK_SHIFT });
            host.Key(c.key, host.Grid());
        } else if (c.ctrl) {
            HeldKeys keys({ VK_CONTROL });
            host.Key(c.key, host.Grid());
        } else {
            host.Key(c.key, host.Grid());
        }
        // -1: the first row shown after the key.
        int expectedRow = c.expectedRow < 0 ? host.grid->m_nVScroll + 1 : c.expectedRow;
        EXPECT_EQ(expectedRow, host.grid->m_nCurRow) << "case " << i;
        EXPECT_EQ(c.expectedColumn, host.grid->m_nCurCol) << "case " << i;
        // Shown but for the pixel that neighbouring cells share.
        RECT rc = host.grid->GetCellRect(host.grid->m_nCurRow, host.grid->m_nCurCol);
        EXPECT_FALSE(IsRectEmpty(&rc)) << "case " << i;
        EXPECT_LE(rc.right - 1, host.grid->m_rcData.right) << "case " << i;
        EXPECT_LE(rc.bottom - 1, host.grid->m_rcData.bottom) << "case " << i;
        EXPECT_FALSE(host.grid->m_pEdit->IsOpen()) << "case " << i;
    }
}

}  // namespace

TEST(GridKeys, KeyTableAtTheEdgesWithScrollBar)
{
    const int n = 40;  // data rows: the vertical bar is present
    const KeyCase cases[] = {
        /* 0 */ { 1, 1, VK_RIGHT, false, false, 1, 2 },
        /* 1 */ { 1, 2, VK_RIGHT, false, false, 1, 2 },
        /* 2 */ { 1, 1, VK_TAB, false, false, 1, 2 },
        /* 3 */ { 1, 2, VK_TAB, true, false, 1, 1 },
        /* 4 */ { 1, 1, VK_LEFT, false, false, 1, 1 },
        /* 5 */ { 1, 1, VK_UP, false, false, 1, 1 },  // top-row limit 0
        /* 6 */ { 2, 1, VK_RETURN, true, false, 1, 1 },
        /* 7 */ { 1, 1, VK_RETURN, false, false, 2, 1 },
        /* 8 */ { n, 2, VK_DOWN, false, false, n, 2 },
        /* 9 */ { 5, 2, VK_HOME, false, false, 5, 1 },
        /* 10 */ { 5, 1, VK_END, false, false, 5, 2 },
        /* 11 */ { 7, 2, VK_END, false, true, n, 2 },
        /* 12 */ { n - 1, 2, VK_NEXT, false, false, n, 2 },  // the view cannot move
        /* 13 */ { n, 2, VK_HOME, false, true, 1, 1 },
        /* 14 */ { 1, 1, VK_NEXT, false, false, -1, 1 },
        /* 15 */ { n, 1, VK_PRIOR, false, false, -1, 1 },
    };
    RunKeyCases(n, cases, sizeof cases / sizeof cases[0]);
}

TEST(GridKeys, PageDownWithoutBarGoesToLastRow)
{
    const KeyCase cases[] = { { 1, 1, VK_NEXT, false, false, 3, 1 }, { 3, 2, VK_PRIOR, false, false, 1, 2 } };
    RunKeyCases(3, cases, 2);
    GridHost host(GridHost::NumberedRows(3));
    for (UINT code : { SB_PAGEDOWN, SB_LINEDOWN, SB_BOTTOM }) {
        SendMessageA(host.Grid(), WM_VSCROLL, code, 0);
        EXPECT_EQ(0, host.grid->m_nVScroll) << "no bar, no move: " << code;
    }
}

TEST(GridKeys, CtrlLetsTabLeaveTheGrid)
{
    GridHost host(GridHost::NumberedRows(3));
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTALLKEYS), SendMessageA(host.Grid(), WM_GETDLGCODE, 0, 0));
    HeldKeys ctrl({ VK_CONTROL });
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS), SendMessageA(host.Grid(), WM_GETDLGCODE, 0, 0));
}

TEST(GridKeys, DeleteClearsTheCurrentCellInView)
{
    GridSettings wide;  // six columns of the default width: both bars
    wide.bAutoFitColumns = false;
    wide.nColumns = 6;
    const struct {
        int row, column;
        UINT scroll, code;  // what hides the cell first
    } cases[] = {
        /* 0 */ { 2, 2, 0, 0 },
        /* 1 */ { 1, 1, WM_VSCROLL, SB_BOTTOM },
        /* 2 */ { 60, 2, WM_VSCROLL, SB_TOP },
        /* 3 */ { 1, 1, WM_HSCROLL, SB_RIGHT },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const auto& c = cases[i];
        GridHost host(GridHost::NumberedRows(60), wide);
        CGridCtrl& g = *host.grid;
        g.SetCurrentCell(c.row, c.column);
        if (c.scroll)
            SendMessageA(host.Grid(), c.scroll, c.code, 0);
        std::string neighbour = host.Cell(c.row, 3 - c.column);
        host.Key(VK_DELETE, host.Grid());
        EXPECT_EQ("", host.Cell(c.row, c.column)) << "case " << i;
        EXPECT_EQ(neighbour, host.Cell(c.row, 3 - c.column)) << "case " << i << ": no field removed";
        EXPECT_EQ(1, host.data.m_bModified) << "case " << i;
        RECT rc = g.GetCellRect(c.row, c.column);
        EXPECT_TRUE(g.IsHorzVisible(rc) && g.IsVertVisible(rc)) << "case " << i << ": the emptied cell is shown";
    }
}

TEST(GridEditor, DigitOpensWithThatDigitAndF2SelectsAll)
{
    GridHost host(GridHost::NumberedRows(3));
    host.Char('7', host.Grid());
    ASSERT_TRUE(host.grid->m_pEdit->IsOpen());
    EXPECT_EQ("7", host.EditorText());
    EXPECT_EQ(host.Editor(), GetFocus());
    host.Char('\t');
    EXPECT_EQ("7", host.Cell(1, 1));
    EXPECT_EQ(2, host.grid->m_nCurCol);
    EXPECT_EQ(host.Grid(), GetFocus());
    host.Key(VK_F2, host.Grid());
    ASSERT_TRUE(host.grid->m_pEdit->IsOpen());
    EXPECT_EQ("2", host.EditorText());
    DWORD start = 1, end = 0;
    SendMessageA(host.Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(1u, end);
}

TEST(GridEditor, EscapeRestoresAndLeavesStoreUntouched)
{
    GridHost host(GridHost::NumberedRows(3));
    host.Type("55", host.Grid());
    ASSERT_EQ(host.Editor(), GetFocus());
    host.Char('\x1b');
    EXPECT_FALSE(host.grid->m_pEdit->IsOpen());
    EXPECT_EQ("1", host.Cell(1, 1));
    EXPECT_EQ(0, host.data.m_bModified) << "hiding the focused editor must not commit";
    host.Char('9');
    EXPECT_TRUE(host.grid->m_pEdit->IsOpen()) << "keys after Esc reach the grid";
}

TEST(GridEditor, LeavingCommitsEvenUnchanged)
{
    GridHost host(GridHost::NumberedRows(3));
    host.Key(VK_F2, host.Grid());
    host.Key(VK_RIGHT);  // all selected: leaves at once
    EXPECT_EQ(1, host.data.m_bModified);
    EXPECT_EQ(2, host.grid->m_nCurCol);
    EXPECT_TRUE(host.grid->m_pEdit->IsOpen()) << "reopened on the new cell";
    EXPECT_EQ("2", host.EditorText());
    host.Key(VK_LEFT);  // collapses the selection to the end, then one left
    EXPECT_EQ(2, host.grid->m_nCurCol);
    host.Key(VK_LEFT);
    EXPECT_EQ(1, host.grid->m_nCurCol) << "leaves from position 0";
    host.Key(VK_UP);
    EXPECT_FALSE(host.grid->m_pEdit->IsOpen()) << "row 1 up stays closed";
    EXPECT_EQ(1, host.grid->m_nCurRow);
}

TEST(GridEditor, EnterOnTheLastCellAppendsARow)
{
    GridHost host(GridHost::NumberedRows(2));
    host.grid->SetCurrentCell(2, 1);
    host.Type("8", host.Grid());
    host.Char('\r');
    EXPECT_EQ(3, host.grid->m_nRows) << "only the bottom-right cell appends";
    EXPECT_EQ("8", host.Cell(2, 1));
    host.grid->SetCurrentCell(2, 2);
    host.Type("9", host.Grid());
    host.Char('\r');
    EXPECT_EQ(4, host.grid->m_nRows);
    EXPECT_EQ(4, host.data.GetRowCount());
    EXPECT_EQ(3, host.grid->m_nCurRow);
    EXPECT_EQ("\t", host.rowStrings[3].str());
    host.grid->SetCurrentCell(3, 2);
    host.Type("1", host.Grid());
    {
        HeldKeys shift({ VK_SHIFT });
        host.Char('\r');
    }
    EXPECT_EQ(5, host.grid->m_nRows) << "Shift+Enter there appends a row too";
    EXPECT_EQ(2, host.grid->m_nCurRow) << "and moves up";
}

TEST(GridEditor, OpensOnTheCellScrolledOutOfView)
{
    GridHost host(GridHost::NumberedRows(60));
    SendMessageA(host.Grid(), WM_VSCROLL, SB_BOTTOM, 0);
    ASSERT_GT(host.grid->m_nVScroll, 1);
    host.Type("4", host.Grid());
    ASSERT_TRUE(host.grid->m_pEdit->IsOpen());
    EXPECT_EQ(0, host.grid->m_nVScroll) << "scrolled back to row 1";
    SendMessageA(host.Grid(), WM_VSCROLL, SB_TOP, 0);
    SendMessageA(host.Grid(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    EXPECT_TRUE(host.grid->m_pEdit->IsOpen()) << "a scroll that moves nothing leaves the edit open";
    SendMessageA(host.Grid(), WM_VSCROLL, SB_BOTTOM, 0);  // a scroll commits
    EXPECT_EQ("4", host.Cell(1, 1));
    EXPECT_FALSE(host.grid->m_pEdit->IsOpen());
    host.Key(VK_DOWN, host.Grid());
    EXPECT_EQ(2, host.grid->m_nCurRow);
    EXPECT_EQ(1, host.grid->m_nVScroll) << "navigation brings the cell back to the top";
}

TEST(GridEditor, KeysAfterReactivationReachTheGrid)
{
    GridHost host(GridHost::NumberedRows(3));
    host.grid->SetCurrentCell(3, 2);  // Enter in a hidden editor here would append a row
    host.Type("5", host.Grid());
    ASSERT_EQ(host.Editor(), GetFocus());
    // Another program comes to the front and goes: the dialog saves its focus
    // window, loses the focus, then gives it back to that window.
    SendMessageA(host.Dialog(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(nullptr);
    SendMessageA(host.Dialog(), WM_ACTIVATE, WA_ACTIVE, 0);
    host.Pump();
    EXPECT_EQ("5", host.Cell(3, 2)) << "committed on losing the focus";
    EXPECT_FALSE(host.grid->m_pEdit->IsOpen());
    EXPECT_EQ(host.Grid(), GetFocus());
    host.Type("7\r");
    EXPECT_EQ("7", host.Cell(3, 2)) << "the digit opened the editor";
    EXPECT_EQ(5, host.grid->m_nRows);
}

TEST(GridEditor, DestroyingTheDialogWithTheEditorOpenIsSafe)
{
    GridHost host(GridHost::NumberedRows(3));
    host.Type("6", host.Grid());
    ASSERT_EQ(host.Editor(), GetFocus());
    host.Destroy(true);
    EXPECT_EQ("6", host.Cell(1, 1)) << "the open edit is kept";
}
