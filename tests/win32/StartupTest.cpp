// Start-up: the command line decides between an empty graph and a file.
#include <gtest/gtest.h>

#include <cstring>

#include "app/MainFrm.h"
#include "framework/DocTemplate.h"
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

namespace {

// Refuses the creation of the program's frame (style without WS_CHILD) or of
// its view (with it), as a system out of window resources would.
DWORD g_refusedChildStyle = 0;

LRESULT CALLBACK RefuseProgramWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        char className[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (std::strncmp(className, "FwWnd:", 6) == 0 && (cs->style & WS_CHILD) == g_refusedChildStyle)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// The frame failing before its first message, and the view failing inside
// the frame's creation: the start ends without a window, and no object is
// freed twice (a block freed twice comes back from two allocations).
TEST(Startup, WindowThatCannotBeCreatedEndsTheStartQuietly)
{
    std::string path = WriteTestFile("no window.plr", kTwoLines);
    for (DWORD childStyle : { DWORD(0), DWORD(WS_CHILD) }) {
        g_refusedChildStyle = childStyle;
        HHOOK hHook = SetWindowsHookExA(WH_CBT, &RefuseProgramWindow, nullptr, GetCurrentThreadId());
        ASSERT_NE(nullptr, hHook);
        {
            AppHarness harness;
            harness.Start("\"" + path + "\"");
            UnhookWindowsHookEx(hHook);
            EXPECT_EQ(nullptr, harness.App().m_pMainWnd) << "child style " << childStyle;
            EXPECT_EQ(nullptr, harness.App().m_pDocTemplate->m_pOnlyDoc) << "child style " << childStyle;
            EXPECT_TRUE(harness.boxes.empty()) << "child style " << childStyle;
        }
        void* first = ::operator new(sizeof(CMainFrame));
        void* second = ::operator new(sizeof(CMainFrame));
        EXPECT_NE(first, second) << "child style " << childStyle;
        ::operator delete(first);
        ::operator delete(second);
    }
}
