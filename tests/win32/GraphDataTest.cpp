// The Data to Graph dialog through the document's commands: the rows it is
// given, typing pairs into its grid, the checks at OK, and what reaches the
// document.
#include <gtest/gtest.h>

#include <optional>

#include "app/resource.h"
#include "dialogs/GraphDataDlg.h"
#include "document/PlorDoc.h"
#include "framework/FrameworkIds.h"
#include "framework/UiHooks.h"
#include "grid/GridCtrl.h"
#include "grid/GridData.h"
#include "tests/support/AppHarness.h"
#include "tests/support/FailingAllocations.h"

namespace {

void Send(UINT msg, WPARAM w)
{
    SendMessageA(GetFocus(), msg, w, 1);
}

void Type(const char* text)
{
    for (; *text; ++text)
        Send(WM_CHAR, static_cast<unsigned char>(*text));
}

void Click(HWND hDlg, int id)
{
    SendMessageA(GetDlgItem(hDlg, id), BM_CLICK, 0, 0);
}

// A key as the dialog's own loop sees it first; true when it was kept from
// the dialog manager.
bool PreTranslatedKey(HWND hDlg, UINT vk)
{
    MSG msg = { GetFocus(), WM_KEYDOWN, vk, 1, 0, { 0, 0 } };
    return CWnd::WalkPreTranslateTree(hDlg, &msg) != FALSE;
}

// OK, and Cancel after it when OK was refused (a message was shown), so the
// dialog always ends.
void PressOk(AppHarness& harness, HWND hDlg)
{
    size_t before = harness.boxes.size();
    Click(hDlg, IDOK);
    if (harness.boxes.size() != before)
        Click(hDlg, IDCANCEL);
}

CGraphDataDlg* Data(CDialog* pDialog)
{
    return static_cast<CGraphDataDlg*>(pDialog);
}

}  // namespace

TEST(GraphData, NewGraphTakesTypedPairsAndKeepsEnterAndEscapeForTheGrid)
{
    AppHarness harness;
    harness.Start();
    bool enterKept = false;
    bool escapeKept = false;
    harness.dialogs[IDD_GRAPH_DATA] = [&](CDialog* pDialog) {
        HWND h = pDialog->m_hWnd;
        SetFocus(GetDlgItem(h, IDC_GRID_CONTROL));
        enterKept = PreTranslatedKey(h, VK_RETURN);
        escapeKept = PreTranslatedKey(h, VK_ESCAPE);
        Data(pDialog)->m_pGrid->SetCurrentCell(1, 1);  // where Enter moved from
        Type("1\t2\r");
        Send(WM_KEYDOWN, VK_LEFT);
        Type("3\t4\t");
        PressOk(harness, h);
    };
    harness.Command(ID_FILE_NEW_DATA);
    EXPECT_TRUE(enterKept);
    EXPECT_TRUE(escapeKept);
    EXPECT_TRUE(harness.boxes.empty()) << harness.boxes[0].text;
    CPlorDoc* pDoc = harness.Doc();
    ASSERT_EQ(2, pDoc->m_graph.pointCount);
    EXPECT_STREQ("1\t2", pDoc->m_lines[0]) << "the empty first row keeps the cell store's tab";
    EXPECT_STREQ("3,4", pDoc->m_lines[1]) << "an added row takes the new document's comma";
    EXPECT_EQ(4.0f, pDoc->m_graph.yValues[1]);
    EXPECT_TRUE(pDoc->IsModified());
}

TEST(GraphData, OkWithAnEmptyCellPointsTheGridAtIt)
{
    AppHarness harness;
    harness.Start();
    int row = -1, column = -1;
    harness.dialogs[IDD_GRAPH_DATA] = [&](CDialog* pDialog) {
        SetFocus(GetDlgItem(pDialog->m_hWnd, IDC_GRID_CONTROL));
        Type("1\t2\r");  // row 2 stays empty
        Click(pDialog->m_hWnd, IDOK);
        row = Data(pDialog)->m_pGrid->m_nCurRow;
        column = Data(pDialog)->m_pGrid->m_nCurCol;
        Click(pDialog->m_hWnd, IDCANCEL);
    };
    harness.Command(ID_EDIT_GRAPH_DATA);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Please enter data in empty cell !", harness.boxes[0].text);
    EXPECT_EQ(0u, harness.boxes[0].type & MB_ICONMASK) << "a plain box";
    EXPECT_EQ(2, row);
    EXPECT_EQ(1, column);
    EXPECT_EQ(0, harness.Doc()->m_graph.pointCount) << "Cancel takes nothing back";
    EXPECT_FALSE(harness.Doc()->IsModified());
}

TEST(GraphData, UntouchedDataShowAsConvertedAndStayAsTheyWere)
{
    AppHarness harness;
    harness.Start(WriteTestFile("spaced.plr", "1, 2\r\n 3 4\r\n5\t\t6"));
    std::vector<std::string> cells;
    harness.dialogs[IDD_GRAPH_DATA] = [&](CDialog* pDialog) {
        for (int row = 1; row <= 3; ++row) {
            for (int column = 1; column <= 2; ++column)
                cells.push_back(Data(pDialog)->m_pGridData->GetCellText(row, column));
        }
        PressOk(harness, pDialog->m_hWnd);
    };
    harness.Command(ID_EDIT_GRAPH_DATA);
    EXPECT_EQ((std::vector<std::string>{ "1", "2", "3", "4", "5", "6" }), cells);
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_FALSE(harness.Doc()->IsModified());
    EXPECT_STREQ("1, 2", harness.Doc()->m_lines[0]) << "nothing copied back";
}

// Without memory for the edited lines the document stays as it was.
TEST(GraphData, OkWithoutMemoryForTheLinesKeepsTheDocument)
{
    const int n = 8000;  // under the large-file warning
    std::string text;
    for (int i = 0; i < n; ++i)
        text += std::to_string(i) + " 3\r\n";
    AppHarness harness;
    harness.Start(WriteTestFile("kept lines.plr", text));
    std::optional<FailingAllocations> failing;
    harness.dialogs[IDD_GRAPH_DATA] = [&](CDialog* pDialog) {
        Data(pDialog)->m_pGrid->SetCurrentCell(n, 2);
        SetFocus(GetDlgItem(pDialog->m_hWnd, IDC_GRID_CONTROL));
        Type("7\r");  // a row more
        Data(pDialog)->m_pGrid->SetCurrentCell(n + 1, 1);
        Type("1\t2\t");
        failing.emplace(40000);  // the copy of every line, not the dialog's checks
        PressOk(harness, pDialog->m_hWnd);
    };
    harness.Command(ID_EDIT_GRAPH_DATA);
    failing.reset();
    EXPECT_EQ(1u, harness.boxes.size());
    EXPECT_EQ(n, harness.Doc()->m_graph.pointCount);
    EXPECT_FALSE(harness.Doc()->IsModified());
}

TEST(GraphData, LinesKeptAfterAFailedConversionAreShownForCorrection)
{
    AppHarness harness;
    harness.Start();
    CPlorDoc* pDoc = harness.Doc();
    pDoc->m_lines.SetAtGrow(0, "1 2");
    pDoc->m_lines.SetAtGrow(1, "3");
    pDoc->ParseText(2);  // line 2 has no Y: the points are dropped, the lines stay
    ASSERT_EQ(0, pDoc->m_graph.pointCount);
    harness.boxes.clear();
    std::vector<std::string> cells;
    harness.dialogs[IDD_GRAPH_DATA] = [&](CDialog* pDialog) {
        HWND h = pDialog->m_hWnd;
        for (int row = 1; row <= 2; ++row) {
            for (int column = 1; column <= 2; ++column)
                cells.push_back(Data(pDialog)->m_pGridData->GetCellText(row, column));
        }
        Data(pDialog)->m_pGrid->SetCurrentCell(2, 2);
        SetFocus(GetDlgItem(h, IDC_GRID_CONTROL));
        Type("7\t");
        PressOk(harness, h);
    };
    harness.Command(ID_EDIT_GRAPH_DATA);
    EXPECT_EQ((std::vector<std::string>{ "1", "2", "3", "" }), cells);
    EXPECT_TRUE(harness.boxes.empty());
    ASSERT_EQ(2, pDoc->m_graph.pointCount);
    EXPECT_EQ(7.0f, pDoc->m_graph.yValues[1]);
}

TEST(GraphData, OptionsButtonShowsTheRowMenuWithoutAddColumn)
{
    AppHarness harness;
    harness.Start();
    std::vector<std::string> items;
    AfxGetUiHooks().popupMenu = [&](HMENU hMenu, HWND) -> UINT {
        for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
            char text[64] = "";
            GetMenuStringA(hMenu, i, text, sizeof text, MF_BYPOSITION);
            items.push_back(text);
        }
        return 0;
    };
    harness.dialogs[IDD_GRAPH_DATA] = [](CDialog* pDialog) {
        Click(pDialog->m_hWnd, IDC_DATA_OPTIONS);
        Click(pDialog->m_hWnd, IDCANCEL);
    };
    harness.Command(ID_EDIT_GRAPH_DATA);
    ASSERT_FALSE(items.empty());
    for (const std::string& item : items)
        EXPECT_EQ(std::string::npos, item.find("Column")) << item;
}

// OK refuses an empty cell, and a number left unfinished in a cell typed in
// the dialog; a cell nobody touched passes as the conversion reads it. The
// cell OK points at is scrolled into view.
TEST(GraphData, OkRefusesEmptyCellsAndNumbersLeftUnfinishedWhereTyped)
{
    struct {
        const char* line;   // data row 150 of 200
        const char* typed;  // into its X cell; "" is the Delete key, nullptr nothing
        const char* message;
    } const cases[] = {
        /* 0 */ { "1 7", "", "Please enter data in empty cell !" },
        /* 1 */ { "1 7", "-", "Please complete the number in this cell !" },
        /* 2 */ { "1 7", "-.", "Please complete the number in this cell !" },
        /* 3 */ { "1 7", "1e-", "Please complete the number in this cell !" },
        /* 4 */ { "1 7", "1.", nullptr },
        /* 5 */ { "1 7", "1.5e3", nullptr },
        /* 6 */ { "- 7", nullptr, nullptr },
        /* 7 */ { "3.4.5 1e", nullptr, nullptr },
        /* 8 */ { "1", nullptr, "Please enter data in empty cell !" },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        AppHarness harness;
        harness.Start();
        CPlorDoc* pDoc = harness.Doc();
        for (int n = 0; n < 200; ++n)
            pDoc->m_lines.SetAtGrow(n, CString(n == 149 ? cases[i].line : "1 1"));
        pDoc->ParseText(200);
        harness.boxes.clear();
        int row = -1, column = -1;
        bool shown = false;
        harness.dialogs[IDD_GRAPH_DATA] = [&](CDialog* pDialog) {
            CGridCtrl* pGrid = Data(pDialog)->m_pGrid;
            if (cases[i].typed) {
                SetFocus(pGrid->m_hWnd);
                pGrid->SetCurrentCell(150, 1);
                if (*cases[i].typed)
                    Type(cases[i].typed);
                else
                    Send(WM_KEYDOWN, VK_DELETE);
                Type("\t");
            }
            pGrid->SetCurrentCell(1, 1);
            PressOk(harness, pDialog->m_hWnd);
            row = pGrid->m_nCurRow;
            column = pGrid->m_nCurCol;
            shown = pGrid->IsVertVisible(pGrid->GetCellRect(row, column));
        };
        harness.Command(ID_EDIT_GRAPH_DATA);
        if (!cases[i].message) {
            EXPECT_TRUE(harness.boxes.empty()) << "row " << i << ": " << harness.boxes[0].text;
            continue;
        }
        ASSERT_EQ(1u, harness.boxes.size()) << "row " << i;
        EXPECT_EQ(cases[i].message, harness.boxes[0].text) << "row " << i;
        EXPECT_EQ(150, row) << "row " << i;
        EXPECT_EQ(cases[i].line[1] ? 1 : 2, column) << "row " << i;
        EXPECT_TRUE(shown) << "row " << i << ": the cell is scrolled into view";
    }
}

// Enter and Escape edit cells while the grid or its editor has the focus; on
// the dialog's buttons they work as in any dialog. The keys go through the
// dialog's own loop; a command posted after them ends the dialog the other
// way when they did nothing.
TEST(GraphData, EnterAndEscapeWorkOnTheButtonsAsInAnyDialog)
{
    struct {
        int focus;  // the control the key is pressed on
        UINT key;
        int after;  // the command posted after the key
        bool dataTaken;
    } const cases[] = {
        /* 0 */ { IDOK, VK_RETURN, IDCANCEL, true },
        /* 1 */ { IDCANCEL, VK_RETURN, IDOK, false },
        /* 2 */ { IDOK, VK_ESCAPE, IDOK, false },
        /* 3 */ { IDC_GRID_CONTROL, VK_ESCAPE, IDOK, true },  // the grid keeps Escape
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        AppHarness harness;
        harness.Start(WriteTestFile("keys.plr", "1 2\r\n3 4"));
        harness.dialogs[IDD_GRAPH_DATA] = [&](CDialog* pDialog) {
            HWND h = pDialog->m_hWnd;
            SetFocus(GetDlgItem(h, IDC_GRID_CONTROL));
            Type("5\r");  // X of row 1 becomes 5
            SendMessageA(h, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(h, cases[i].focus)), TRUE);
            PostMessageA(GetFocus(), WM_KEYDOWN, cases[i].key, 1);
            PostMessageA(h, WM_COMMAND, static_cast<WPARAM>(cases[i].after), 0);
        };
        harness.Command(ID_EDIT_GRAPH_DATA);
        EXPECT_TRUE(harness.boxes.empty()) << "row " << i;
        EXPECT_STREQ(cases[i].dataTaken ? "5 2" : "1 2", harness.Doc()->m_lines[0]) << "row " << i;
    }
}
