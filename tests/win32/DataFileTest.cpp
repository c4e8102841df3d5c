// Data files through the real document: Open, Save As, the refusals and
// their messages, and the warning for large files.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/MainFrm.h"
#include "document/PlorDoc.h"
#include "framework/FrameworkIds.h"
#include "graph/PlorView.h"
#include "framework/UiHooks.h"
#include "tests/support/AppHarness.h"

namespace {

const char kDefaultFile[] =
    "1 2\r\n3 9\r\n2 5\r\n\r\nGraph Title\r\nX Axis Label\r\nY Axis Label\r\n5 4 1 0 1\r\n0 1\r\n0 2 9\r\n0 1 3";

std::string GenericError(const std::string& path)
{
    return "An unknown error occurred while accessing " + path + ".";
}

UINT Icon(const RecordedBox& box)
{
    return box.type & MB_ICONMASK;
}

// Opens path through File Open in a harness that already shows another file.
void OpenThroughMenu(AppHarness& harness, const std::string& path)
{
    harness.fileNames = { path };
    harness.Command(ID_FILE_OPEN);
}

}  // namespace

TEST(DataFile, OpenedFileSavesBackByteForByte)
{
    std::string path = WriteTestFile("round trip.plr", kDefaultFile);
    AppHarness harness;
    harness.Start(path);
    ASSERT_EQ(3, harness.Doc()->m_graph.pointCount);
    std::string copy = TestFolder() + "\\round trip copy.plr";
    harness.fileNames = { copy };
    harness.Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_EQ(std::string(kDefaultFile), ReadFileAt(copy));
    EXPECT_STREQ(copy.c_str(), harness.Doc()->GetPathName());
}

TEST(DataFile, OpenedDataAreSortedWithRangesAndFileSettings)
{
    AppHarness harness;
    harness.Start(WriteTestFile("sorted.plr", kDefaultFile));
    const GraphParams& g = harness.Doc()->m_graph;
    ASSERT_EQ(3, g.pointCount);
    EXPECT_EQ(1.0f, g.xValues[0]);
    EXPECT_EQ(2.0f, g.xValues[1]);
    EXPECT_EQ(3.0f, g.xValues[2]);
    EXPECT_EQ(5.0f, g.yValues[1]);
    EXPECT_EQ(2.0, g.yMin);
    EXPECT_EQ(9.0, g.yMax);
    EXPECT_EQ(5, g.xIncrements) << "increments read from the file stay";
    EXPECT_EQ(4, g.yIncrements);
    EXPECT_TRUE(harness.Doc()->m_settingsLoaded);
    EXPECT_STREQ("3 9", harness.Doc()->m_lines[1]) << "the lines keep their order";
}

TEST(DataFile, SettingsOutsideTheirRangeOpenAndDrawWithDefaults)
{
    AppHarness harness;
    harness.Start(WriteTestFile("huge marker.plr",
                                "1 2\r\n3 9\r\n\r\nT\r\nX\r\nY\r\n0 99 1 2147483647 1\r\n2000000000 1\r\n0 2 9\r\n0 1 3"));
    RedrawWindow(harness.View()->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const GraphParams& g = harness.Doc()->m_graph;
    ASSERT_EQ(2, g.pointCount);
    EXPECT_EQ(2, g.xIncrements) << "chosen from the data, X 1 to 3";
    EXPECT_EQ(4, g.yIncrements);
    EXPECT_EQ(0, g.pointSize);
    EXPECT_EQ(0, g.lineSize);
    EXPECT_TRUE(harness.boxes.empty());
}

TEST(DataFile, EmptyTitleAndLabelAreSavedSoTheFileOpensAgain)
{
    AppHarness harness;
    harness.Start(WriteTestFile("titles.plr", kDefaultFile));
    harness.Doc()->SetGraphTitle("");
    harness.Doc()->SetXLabel("");
    std::string copy = TestFolder() + "\\no titles.plr";
    harness.fileNames = { copy };
    harness.Command(ID_FILE_SAVE_AS);
    harness.App().OpenDocumentFile(copy.c_str());
    EXPECT_TRUE(harness.boxes.empty()) << harness.boxes[0].text;
    EXPECT_EQ(3, harness.Doc()->m_graph.pointCount);
    EXPECT_STREQ(" ", harness.Doc()->m_strGraphTitle);
    EXPECT_STREQ(" ", harness.Doc()->m_strXLabel);
    EXPECT_STREQ("Y Axis Label", harness.Doc()->m_strYLabel);
}

TEST(DataFile, RefusedFileShowsItsMessageThenTheLoadErrorAndLeavesUntitledDocument)
{
    struct {
        const char* name;
        const char* text;
        std::string message;
        UINT icon;
    } const cases[] = {
        /* 0 */ { "header.plr", "X Y\r\n1 2\r\n3 4", "Not a PLOTRA data file...", MB_ICONSTOP },
        /* 1 */ { "one line.plr", "1 2\r\n\r\nT", "Not enough data to graph...", MB_ICONSTOP },
        /* 2 */ { "blanks.plr", "1 2\r\n3 4\r\n\r\nT\r\n\r\nY",
                  "Data file has more than one blank line.\r\nPlace only one blank line after XY data.", MB_ICONSTOP },
        /* 3 */ { "nine after.plr", "1 2\r\n3 4\r\n\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8",
                  "Data file has more than one blank line.\r\nPlace only one blank line after XY data.", MB_ICONSTOP },
        /* 4 */ { "missing y.plr", "1 2\r\n3\r\n5 6", "Line 2 has missing data...", 0 },
        /* 5 */ { "long line.plr", "1 2\r\n3 44444444444444444444444444444444444444444444444444444444444444444444444444444444444",
                  "Line 2 is longer than 83 characters...", 0 },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        std::string path = WriteTestFile(cases[i].name, cases[i].text);
        AppHarness harness;
        harness.Start(WriteTestFile("good.plr", kDefaultFile));
        OpenThroughMenu(harness, path);
        ASSERT_EQ(2u, harness.boxes.size()) << "row " << i;
        EXPECT_EQ(cases[i].message, harness.boxes[0].text) << "row " << i;
        EXPECT_EQ(cases[i].icon, Icon(harness.boxes[0])) << "row " << i;
        EXPECT_EQ(GenericError(path), harness.boxes[1].text) << "row " << i;
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), Icon(harness.boxes[1])) << "row " << i;
        EXPECT_STREQ("Untitled", harness.Doc()->GetTitle()) << "row " << i;
        EXPECT_TRUE(harness.Doc()->GetPathName().IsEmpty()) << "row " << i;
        EXPECT_EQ(0, harness.Doc()->m_graph.pointCount) << "row " << i;
        EXPECT_STREQ("Graph Title", harness.Doc()->m_strGraphTitle) << "row " << i;
        EXPECT_FALSE(harness.Doc()->IsModified()) << "row " << i;
    }
}

TEST(DataFile, RefusedFileOnCommandLineEndsTheProgram)
{
    std::string path = WriteTestFile("refused.plr", "X Y\r\n1 2");
    AppHarness harness;
    harness.Start(path);
    ASSERT_EQ(2u, harness.boxes.size());
    EXPECT_EQ("Not a PLOTRA data file...", harness.boxes[0].text);
    EXPECT_EQ(GenericError(path), harness.boxes[1].text);
    EXPECT_EQ(nullptr, harness.App().m_pMainWnd);
}

TEST(DataFile, RefusedFileDroppedOnWindowLeavesUntitledDocument)
{
    std::string path = WriteTestFile("dropped bad.plr", "1 2\r\n3 ;");
    AppHarness harness;
    harness.Start(WriteTestFile("good.plr", kDefaultFile));
    harness.App().OpenDocumentFile(path.c_str());
    ASSERT_EQ(2u, harness.boxes.size());
    EXPECT_STREQ("Untitled", harness.Doc()->GetTitle());
}

TEST(DataFile, LargeFileIsWarnedAboutAndStillOpens)
{
    // 86000 bytes exactly draw no warning; one byte more does.
    std::string body;
    while (body.size() < 86000 - 20)
        body += "1 1\r\n";
    body += "2 2";
    std::string exact = body + std::string(86000 - body.size(), '0');
    ASSERT_EQ(86000u, exact.size());
    {
        AppHarness harness;
        harness.Start(WriteTestFile("exact.plr", exact));
        EXPECT_TRUE(harness.boxes.empty());
        EXPECT_LT(1, harness.Doc()->m_graph.pointCount);
    }
    // Read ahead while the window is made (the file the program starts on),
    // then while the warning is up (a file opened later): every line, the
    // last one whole.
    const int lines = static_cast<int>(body.size() / 5) + 1;
    AppHarness harness;
    harness.Start(WriteTestFile("large.plr", exact + "0"));
    ASSERT_EQ(lines, harness.Doc()->m_graph.pointCount);
    EXPECT_EQ(exact.substr(body.size() - 3) + "0", harness.Doc()->m_lines[lines - 1].str());
    std::string later = exact + "00";
    harness.App().OpenDocumentFile(WriteTestFile("later.plr", later).c_str());
    ASSERT_EQ(2u, harness.boxes.size());
    EXPECT_EQ("Plotra may not handle this large file on some machines...", harness.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), Icon(harness.boxes[0]));
    EXPECT_EQ(harness.boxes[0].text, harness.boxes[1].text);
    const CPlorDoc* pDoc = harness.Doc();
    EXPECT_STREQ("later.plr", pDoc->GetTitle());
    ASSERT_EQ(lines, pDoc->m_graph.pointCount);
    EXPECT_EQ(later.substr(body.size() - 3), pDoc->m_lines[lines - 1].str());
    EXPECT_EQ(2.0f, pDoc->m_graph.xValues[lines - 1]);
}

// A large file's points are made while the warning is up: they are the
// points, sort and faults of any open, whichever way the file is opened.
TEST(DataFile, LargeFileConvertedWhileWarnedGivesWhatAnyOpenGives)
{
    const int n = 20000;
    std::string descending, faulty, notData;
    for (int i = 0; i < n; ++i) {
        descending += std::to_string(n - i) + " " + std::to_string(i) + "\r\n";
        faulty += i == 14999 ? "7\r\n" : std::to_string(i) + " 1\r\n";
        notData += i == 100 ? "1 x\r\n" : std::to_string(i) + " 1\r\n";
    }
    descending += "\r\nT\r\nX\r\nY\r\n5 4 1 0 1\r\n0 1\r\n0 0 0\r\n0 0 0";
    struct {
        const char* name;
        std::string text;
        const char* message;  // after the warning; null when the file opens
    } const cases[] = {
        /* 0 */ { "descending.plr", descending, nullptr },
        /* 1 */ { "faulty.plr", faulty, "Line 15000 has missing data..." },
        /* 2 */ { "not data.plr", notData, "Not a PLOTRA data file..." },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const std::string path = WriteTestFile(cases[i].name, cases[i].text);
        for (bool bAhead : { true, false }) {
            AppHarness harness;
            harness.Start(bAhead ? path : WriteTestFile("good.plr", kDefaultFile));
            if (!bAhead)
                OpenThroughMenu(harness, path);
            const std::string row = "row " + std::to_string(i) + (bAhead ? ", read ahead" : ", opened later");
            ASSERT_EQ(cases[i].message ? 3u : 1u, harness.boxes.size()) << row;
            if (cases[i].message) {
                EXPECT_EQ(cases[i].message, harness.boxes[1].text) << row;
                continue;
            }
            const GraphParams& g = harness.Doc()->m_graph;
            ASSERT_EQ(n, g.pointCount) << row;
            EXPECT_EQ(1.0f, g.xValues[0]) << row;
            EXPECT_EQ(n - 1.0f, g.yValues[0]) << row;
            EXPECT_EQ(n * 1.0f, g.xValues[n - 1]) << row;
            EXPECT_STREQ("T", harness.Doc()->m_strGraphTitle) << row;
        }
    }
}

// The wait cursor shows over the program's windows from the end of the
// warning until the graph of the large file has been painted.
TEST(DataFile, LargeOpenShowsTheWaitCursorFromTheWarningToThePaint)
{
    std::string text;
    while (text.size() <= 86000)
        text += "1 1\r\n2 3\r\n";
    AppHarness harness;
    harness.Start();
    int waitsDuringBox = -1;
    AfxGetUiHooks().messageBox = [&](const CString&, UINT, const CString&) {
        waitsDuringBox = harness.App().m_nWaitCursorCount;
        return IDOK;
    };
    HWND hView = harness.View()->m_hWnd;
    // Hidden, and kept hidden by the open, so that nothing paints until the test lets it.
    ShowWindow(harness.Frame()->m_hWnd, SW_HIDE);
    harness.App().m_nCmdShow = SW_HIDE;
    harness.App().OpenDocumentFile(WriteTestFile("wait.plr", text).c_str());
    EXPECT_EQ(0, waitsDuringBox) << "no wait cursor over the warning";
    EXPECT_EQ(1, harness.App().m_nWaitCursorCount) << "loaded, not yet painted";
    EXPECT_EQ(TRUE, SendMessageA(hView, WM_SETCURSOR, reinterpret_cast<WPARAM>(hView), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(LoadCursor(nullptr, IDC_WAIT), GetCursor());
    ShowWindow(harness.Frame()->m_hWnd, SW_SHOW);
    RedrawWindow(hView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(0, harness.App().m_nWaitCursorCount) << "the graph has been painted";
    SendMessageA(hView, WM_SETCURSOR, reinterpret_cast<WPARAM>(hView), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), GetCursor());
}

TEST(DataFile, TabSeparatedDataChooseTab)
{
    AppHarness harness;
    harness.Start(WriteTestFile("tabs.plr", "1\t2\r\n3\t4\r\n"));
    EXPECT_EQ('\t', harness.Doc()->m_separator);
    EXPECT_EQ(2, harness.Doc()->m_graph.pointCount);
}

TEST(DataFile, ConstantSeriesGetsAWidenedRange)
{
    AppHarness harness;
    harness.Start(WriteTestFile("constant.plr", "1 5\r\n2 5"));
    EXPECT_EQ(5.0, harness.Doc()->m_yDataRange[0]);
    EXPECT_EQ(5.000200271606445, harness.Doc()->m_yDataRange[1]);
    EXPECT_EQ(harness.Doc()->m_yDataRange[1], harness.Doc()->m_graph.yMax);
}

TEST(DataFile, NewDocumentChoosesIncrementsFromTheData)
{
    AppHarness harness;
    harness.Start(WriteTestFile("auto.plr", "0 0\r\n100 100"));
    EXPECT_FALSE(harness.Doc()->m_settingsLoaded);
    EXPECT_EQ(5, harness.Doc()->m_graph.xIncrements);
    EXPECT_EQ(5, harness.Doc()->m_savedXIncrements);
}

TEST(DataFile, EverySampleOpensWithoutAMessage)
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    // The samples folder of the source tree, found from the test program's
    // place in the build tree (build/win32/win32_tests.exe).
    std::string root = module;
    for (int i = 0; i < 3; ++i)
        root = root.substr(0, root.find_last_of('\\'));
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((root + "\\samples\\*.plr").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "no samples beside the build folder " << root;
    int opened = 0;
    do {
        AppHarness harness;
        std::string path = root + "\\samples\\" + found.cFileName;
        harness.Start(path);
        EXPECT_TRUE(harness.boxes.empty()) << path << ": " << harness.boxes[0].text;
        ASSERT_NE(nullptr, harness.Doc()) << path;
        EXPECT_LT(1, harness.Doc()->m_graph.pointCount) << path;
        ++opened;
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    EXPECT_LE(3, opened);
}
