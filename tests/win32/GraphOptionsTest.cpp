// The Graph Options dialog through the document's command: what it shows,
// the checks at OK, the typing check of the limit fields, and how its
// result reaches the document.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "app/resource.h"
#include "dialogs/GraphOptionsDlg.h"
#include "document/PlorDoc.h"
#include "framework/UiHooks.h"
#include "graph/AxisScale.h"
#include "tests/support/AppHarness.h"
#include "tests/support/Screenshot.h"

namespace {

const char kData[] = "1 2\r\n2 5\r\n3 9";
// Y fixed at -1234567 to 50, X automatic, Circle markers, Large Dash line, no grid.
const char kFixedY[] = "1 2\r\n2 5\r\n3 9\r\n\r\nTitle\r\nX\r\nY\r\n6 3 2 1 2\r\n1 0\r\n1 -1234567 50\r\n0 1 3";

std::string Text(HWND hDlg, int id)
{
    char text[128];
    GetDlgItemTextA(hDlg, id, text, sizeof text);
    return text;
}

void SetText(HWND hDlg, int id, const char* text)
{
    SetDlgItemTextA(hDlg, id, text);
}

int Selected(HWND hDlg, int id)
{
    return static_cast<int>(SendDlgItemMessageA(hDlg, id, CB_GETCURSEL, 0, 0));
}

void Click(HWND hDlg, int id)
{
    SendMessageA(GetDlgItem(hDlg, id), BM_CLICK, 0, 0);
}

void Type(HWND hEdit, const char* text)
{
    for (; *text; ++text)
        SendMessageA(hEdit, WM_CHAR, static_cast<unsigned char>(*text), 1);
}

void StartWith(AppHarness& harness, const char* name, const char* text, int& beeps)
{
    ASSERT_TRUE(harness.Start(WriteTestFile(name, text)));
    AfxGetUiHooks().messageBeep = [&beeps](UINT) { ++beeps; };
}

}  // namespace

TEST(GraphOptions, ShowsTheDocumentsSettingsWithoutBeeping)
{
    AppHarness harness;
    int beeps = 0;
    StartWith(harness, "fixed y.plr", kFixedY, beeps);
    std::map<int, std::string> texts;
    std::map<int, int> lists;
    BOOL yListEnabled = TRUE;
    BOOL xListEnabled = FALSE;
    int increments = 0;
    harness.dialogs[IDD_GRAPH_OPTIONS] = [&](CDialog* pDialog) {
        HWND h = pDialog->m_hWnd;
        for (int id : { IDC_OPT_TITLE, IDC_OPT_Y_MIN, IDC_OPT_Y_MAX, IDC_OPT_X_MIN })
            texts[id] = Text(h, id);
        for (int id : { IDC_OPT_POINT_TYPE, IDC_OPT_POINT_SIZE, IDC_OPT_LINE_TYPE, IDC_OPT_LINE_SIZE,
                        IDC_OPT_X_INCREMENTS, IDC_OPT_Y_INCREMENTS })
            lists[id] = Selected(h, id);
        yListEnabled = IsWindowEnabled(GetDlgItem(h, IDC_OPT_Y_INCREMENTS));
        xListEnabled = IsWindowEnabled(GetDlgItem(h, IDC_OPT_X_INCREMENTS));
        increments = static_cast<int>(SendDlgItemMessageA(h, IDC_OPT_X_INCREMENTS, CB_GETCOUNT, 0, 0));
        SavePicture(CaptureWindow(h), "screenshots/options.png");
        Click(h, IDCANCEL);
    };
    harness.Command(ID_EDIT_GRAPH_OPTIONS);
    EXPECT_EQ("Title", texts[IDC_OPT_TITLE]);
    EXPECT_EQ("-1234570", texts[IDC_OPT_Y_MIN]) << "six digits, written out: -1.23457e+006 is too long to type";
    EXPECT_EQ("50", texts[IDC_OPT_Y_MAX]);
    EXPECT_EQ("", texts[IDC_OPT_X_MIN]) << "an automatic scale starts empty";
    EXPECT_EQ(2, lists[IDC_OPT_POINT_TYPE]);
    EXPECT_EQ(1, lists[IDC_OPT_POINT_SIZE]);
    EXPECT_EQ(2, lists[IDC_OPT_LINE_TYPE]);
    EXPECT_EQ(1, lists[IDC_OPT_LINE_SIZE]);
    EXPECT_EQ(4, lists[IDC_OPT_X_INCREMENTS]) << "6 increments";
    EXPECT_EQ(9, increments) << "2 to 10";
    EXPECT_FALSE(yListEnabled) << "the fixed Y scale disables its increments";
    EXPECT_TRUE(xListEnabled);
    EXPECT_EQ(0, beeps) << "the dialog's own text is not typing";
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_FALSE(harness.Doc()->IsModified()) << "Cancel changes nothing";
}

TEST(GraphOptions, StopChecksKeepTheDialogOpen)
{
    struct {
        const char* why;
        std::function<void(HWND)> edit;
        const char* message;
    } const cases[] = {
        /* 0 */ { "no line, no points",
                  [](HWND h) {
                      SendDlgItemMessageA(h, IDC_OPT_POINT_TYPE, CB_SETCURSEL, 0, 0);
                      SendDlgItemMessageA(h, IDC_OPT_LINE_TYPE, CB_SETCURSEL, 0, 0);
                  },
                  "Both Line and Point Types are set\r\nto 'None', resulting in no plot!" },
        /* 1 */ { "empty Y fields", [](HWND h) { Click(h, IDC_OPT_USE_Y_SCALE); },
                  "Y maximum has to be greater than Y minimum!" },
        /* 2 */ { "both scales wrong: Y first",
                  [](HWND h) {
                      Click(h, IDC_OPT_USE_Y_SCALE);
                      Click(h, IDC_OPT_USE_X_SCALE);
                  },
                  "Y maximum has to be greater than Y minimum!" },
        /* 3 */ { "equal X limits",
                  [](HWND h) {
                      Click(h, IDC_OPT_USE_X_SCALE);
                      SetText(h, IDC_OPT_X_MIN, "4");
                      SetText(h, IDC_OPT_X_MAX, "4");
                  },
                  "X maximum has to be greater than X minimum!" },
        /* 4 */ { "title of 41 characters", [](HWND h) { SetText(h, IDC_OPT_TITLE, std::string(41, 'T').c_str()); },
                  "Please enter no more than 40 characters." },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        AppHarness harness;
        int beeps = 0;
        StartWith(harness, "checks.plr", kData, beeps);
        harness.dialogs[IDD_GRAPH_OPTIONS] = [&](CDialog* pDialog) {
            cases[i].edit(pDialog->m_hWnd);
            Click(pDialog->m_hWnd, IDOK);
            // Still open: Cancel now ends it and nothing is taken back.
            Click(pDialog->m_hWnd, IDCANCEL);
        };
        harness.Command(ID_EDIT_GRAPH_OPTIONS);
        ASSERT_EQ(1u, harness.boxes.size()) << "row " << i << ": " << cases[i].why;
        EXPECT_EQ(cases[i].message, harness.boxes[0].text) << "row " << i;
        EXPECT_FALSE(harness.Doc()->IsModified()) << "row " << i;
    }
}

TEST(GraphOptions, FixedScalesReachTheDocumentAndAutomaticOnesComeBack)
{
    AppHarness harness;
    int beeps = 0;
    StartWith(harness, "apply.plr", kData, beeps);
    CPlorDoc* pDoc = harness.Doc();
    const int autoY = pDoc->m_graph.yIncrements;
    harness.dialogs[IDD_GRAPH_OPTIONS] = [&](CDialog* pDialog) {
        HWND h = pDialog->m_hWnd;
        SetText(h, IDC_OPT_TITLE, "New title");
        Click(h, IDC_OPT_USE_Y_SCALE);
        Type(GetDlgItem(h, IDC_OPT_Y_MIN), "0");
        Type(GetDlgItem(h, IDC_OPT_Y_MAX), "4");
        Click(h, IDOK);
    };
    harness.Command(ID_EDIT_GRAPH_OPTIONS);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Some data is outside the Y scale range selected!", harness.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), harness.boxes[0].type & MB_ICONMASK);
    EXPECT_STREQ("New title", pDoc->m_graph.title);
    EXPECT_TRUE(pDoc->m_useYScale);
    EXPECT_EQ(0.0, pDoc->m_graph.yMin);
    EXPECT_EQ(4.0, pDoc->m_graph.yMax);
    EXPECT_EQ(ChooseIncrements(0.0, 4.0), pDoc->m_graph.yIncrements);
    EXPECT_EQ(autoY, pDoc->m_savedYIncrements) << "the increments in force before";
    EXPECT_TRUE(pDoc->IsModified());

    // Switched off again: the list shows the saved increments and the limits follow the data.
    int shownIndex = -1;
    harness.dialogs[IDD_GRAPH_OPTIONS] = [&](CDialog* pDialog) {
        HWND h = pDialog->m_hWnd;
        SendDlgItemMessageA(h, IDC_OPT_Y_INCREMENTS, CB_SETCURSEL, 8, 0);
        Click(h, IDC_OPT_USE_Y_SCALE);
        shownIndex = Selected(h, IDC_OPT_Y_INCREMENTS);
        Click(h, IDOK);
    };
    harness.boxes.clear();
    harness.Command(ID_EDIT_GRAPH_OPTIONS);
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_EQ(autoY - 2, shownIndex);
    EXPECT_FALSE(pDoc->m_useYScale);
    EXPECT_EQ(pDoc->m_yDataRange[0], pDoc->m_graph.yMin);
    EXPECT_EQ(pDoc->m_yDataRange[1], pDoc->m_graph.yMax);
    EXPECT_EQ(autoY, pDoc->m_graph.yIncrements);
}

TEST(GraphOptions, TypingInALimitFieldTakesBackWhatFails)
{
    struct {
        const char* typed;  // typed one character at a time
        const char* left;
        int beeps;
        const char* message;  // or empty
    } const cases[] = {
        /* 0 */ { "-5", "-5", 0, "" },
        /* 1 */ { "+5", "5", 1, "" },
        /* 2 */ { "5-", "5", 1, "" },
        /* 3 */ { "1.1234567", "1.123456", 1, "" },
        /* 4 */ { "0e5", "05", 1, "" },
        /* 5 */ { "1e1.5", "1e15", 1, "" },  // no point after the exponent marker
        /* 6 */ { "1234567890123", "123456789012", 1, "Too many characters..." },
        /* 7 */ { "2e21", "2e2", 1, "Maximum value is: 1e+020" },
        /* 8 */ { "-2e21", "-2e2", 1, "Minimum value is: -1e+020" },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        AppHarness harness;
        int beeps = 0;
        StartWith(harness, "typing.plr", kData, beeps);
        std::string left;
        harness.dialogs[IDD_GRAPH_OPTIONS] = [&](CDialog* pDialog) {
            HWND h = pDialog->m_hWnd;
            Click(h, IDC_OPT_USE_X_SCALE);
            Type(GetDlgItem(h, IDC_OPT_X_MAX), cases[i].typed);
            left = Text(h, IDC_OPT_X_MAX);
            Click(h, IDCANCEL);
        };
        harness.Command(ID_EDIT_GRAPH_OPTIONS);
        EXPECT_EQ(cases[i].left, left) << "row " << i;
        EXPECT_EQ(cases[i].beeps, beeps) << "row " << i;
        EXPECT_EQ(*cases[i].message ? 1u : 0u, harness.boxes.size()) << "row " << i;
        if (!harness.boxes.empty()) {
            EXPECT_EQ(cases[i].message, harness.boxes[0].text) << "row " << i;
        }
    }
}

TEST(GraphOptions, ALongPasteIsRefusedOnceAsAWhole)
{
    AppHarness harness;
    int beeps = 0;
    StartWith(harness, "paste.plr", kData, beeps);
    std::string left;
    harness.dialogs[IDD_GRAPH_OPTIONS] = [&](CDialog* pDialog) {
        HWND h = pDialog->m_hWnd;
        Click(h, IDC_OPT_USE_X_SCALE);
        HWND hEdit = GetDlgItem(h, IDC_OPT_X_MAX);
        Type(hEdit, "12");
        // What a paste does to the field: one replacement of the selection.
        SendMessageA(hEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("34567890123456789"));
        left = Text(h, IDC_OPT_X_MAX);
        Click(h, IDCANCEL);
    };
    harness.Command(ID_EDIT_GRAPH_OPTIONS);
    EXPECT_EQ("12", left);
    EXPECT_EQ(1, beeps);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Too many characters...", harness.boxes[0].text);
}

TEST(GraphOptions, UntouchedLimitsComeBackWithSixDigits)
{
    AppHarness harness;
    int beeps = 0;
    StartWith(harness, "six digits.plr", kFixedY, beeps);
    harness.dialogs[IDD_GRAPH_OPTIONS] = [](CDialog* pDialog) { Click(pDialog->m_hWnd, IDOK); };
    harness.Command(ID_EDIT_GRAPH_OPTIONS);
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_EQ(-1234570.0, harness.Doc()->m_graph.yMin) << "as the field showed it";
    EXPECT_EQ(50.0, harness.Doc()->m_graph.yMax);
    EXPECT_TRUE(harness.Doc()->IsModified()) << "OK always marks the document";
}
