// Start-up: the command line decides between an empty graph and a file.
#include <gtest/gtest.h>

#include "app/MainFrm.h"
#include "document/PlorDoc.h"
#include "tests/support/AppHarness.h"

namespace {

std::string WindowTitle(HWND hWnd)
{
    char title[256] = {};
    GetWindowTextA(hWnd, title, sizeof title);
    return title;
}

const char kTwoLines[] = "1 2\r\n3 4";

}  // namespace

TEST(Startup, WithoutArgumentsOrWithSwitchShowsEmptyUntitledGraph)
{
    const char* const cases[] = { "", "-e", "/E", "-Embedding", "/embedding anything after it" };
    for (const char* cmdLine : cases) {
        AppHarness harness;
        ASSERT_TRUE(harness.Start(cmdLine)) << cmdLine;
        ASSERT_NE(nullptr, harness.Frame()) << cmdLine;
        EXPECT_EQ("Untitled - PLOTRA Line Graphs", WindowTitle(harness.Frame()->m_hWnd)) << cmdLine;
        EXPECT_TRUE(IsWindowVisible(harness.Frame()->m_hWnd)) << cmdLine;
        EXPECT_EQ(0, harness.Doc()->m_graph.pointCount) << cmdLine;
        EXPECT_FALSE(harness.Doc()->IsModified()) << cmdLine;
        EXPECT_TRUE(harness.boxes.empty()) << cmdLine << ": " << harness.boxes[0].text;
    }
}

TEST(Startup, OpensFileNamedInQuotesOrWithUnquotedSpaces)
{
    std::string path = WriteTestFile("start up.plr", kTwoLines);
    const std::string cases[] = { "\"" + path + "\"", path };
    for (const std::string& cmdLine : cases) {
        AppHarness harness;
        ASSERT_TRUE(harness.Start(cmdLine)) << cmdLine;
        ASSERT_NE(nullptr, harness.Frame()) << cmdLine;
        EXPECT_EQ("start up.plr - PLOTRA Line Graphs", WindowTitle(harness.Frame()->m_hWnd)) << cmdLine;
        EXPECT_STREQ(path.c_str(), harness.Doc()->GetPathName()) << cmdLine;
        EXPECT_STREQ("1 2", harness.Doc()->m_lines[0]) << cmdLine;
        EXPECT_STREQ("3 4", harness.Doc()->m_lines[1]) << cmdLine;
        EXPECT_TRUE(harness.boxes.empty()) << cmdLine;
    }
}

TEST(Startup, RelativeFileNameIsMadeAbsolute)
{
    std::string path = WriteTestFile("relative.plr", kTwoLines);
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(TestFolder().c_str());
    AppHarness harness;
    harness.Start("relative.plr");
    SetCurrentDirectoryA(saved);
    ASSERT_NE(nullptr, harness.Doc());
    EXPECT_STREQ(path.c_str(), harness.Doc()->GetPathName());
}

TEST(Startup, MissingFileEndsProgramAfterItsMessage)
{
    std::string path = TestFolder() + "\\no such file.plr";
    DeleteFileA(path.c_str());
    AppHarness harness;
    EXPECT_TRUE(harness.Start(path));
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ(path + " was not found.", harness.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), harness.boxes[0].type & MB_ICONMASK);
    EXPECT_EQ(nullptr, harness.App().m_pMainWnd);
    // Without a main window the message loop ends at once.
    EXPECT_EQ(0, harness.App().Run());
}

TEST(Startup, EmptyFileOpensAsEmptyDocumentWithoutMessage)
{
    std::string path = WriteTestFile("empty.plr", "");
    AppHarness harness;
    harness.Start(path);
    ASSERT_NE(nullptr, harness.Frame());
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_EQ("empty.plr - PLOTRA Line Graphs", WindowTitle(harness.Frame()->m_hWnd));
    EXPECT_STREQ("Graph Title", harness.Doc()->m_strGraphTitle);
}
