// The program's windows at the screen DPI this run has (the tests run again
// at 144 and 192 DPI): each saved as a screenshot under screenshots\dpi<N>,
// and in each dialog every text fits and no control overlaps another.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/MainFrm.h"
#include "app/resource.h"
#include "framework/Dialog.h"
#include "framework/FrameworkIds.h"
#include "framework/PrintPreviewWnd.h"
#include "tests/support/AppHarness.h"
#include "tests/support/LayoutCheck.h"
#include "tests/support/Screenshot.h"

extern bool g_bTestPrinterReady;
extern std::string g_testPrinterError;

namespace {

void CheckAndSave(HWND hWnd, const char* name)
{
    for (const std::string& problem : LayoutProblems(hWnd))
        ADD_FAILURE() << name << " at " << ScreenDpi() << " DPI: " << problem;
    EXPECT_TRUE(SavePicture(CaptureWindow(hWnd), DpiScreenshotPath(name))) << name;
}

}  // namespace

TEST(Layout, WindowsShowEveryTextWithoutOverlapAtThisDpi)
{
    AppHarness harness;
    ASSERT_TRUE(harness.Start(WriteTestFile("layout.plr", "1 2\r\n2 5\r\n3 6\r\n\r\nLayout\r\nX\r\nY")));
    CheckAndSave(harness.Frame()->m_hWnd, "main.png");
    const struct {
        UINT command, dialog;
        const char* name;
    } dialogs[] = {
        { ID_EDIT_GRAPH_DATA, IDD_GRAPH_DATA, "graphdata.png" },
        { ID_EDIT_GRAPH_OPTIONS, IDD_GRAPH_OPTIONS, "options.png" },
        { ID_FILE_SIZE_GRAPH, IDD_PRINT_SIZE, "printsize.png" },
        { ID_APP_ABOUT, IDD_ABOUTBOX, "about.png" },
    };
    for (const auto& dialog : dialogs) {
        bool bShown = false;
        harness.dialogs[dialog.dialog] = [&](CDialog* pDialog) {
            bShown = true;
            CheckAndSave(pDialog->m_hWnd, dialog.name);
            pDialog->EndDialog(IDCANCEL);
        };
        harness.Command(dialog.command);
        EXPECT_TRUE(bShown) << dialog.name;
    }
    if (!g_bTestPrinterReady)
        GTEST_SKIP() << "Print Preview not shown, no printer: " << g_testPrinterError;
    UseDefaultPrinter();
    harness.Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(nullptr, CPrintPreviewWnd::Current());
    for (const std::string& problem : LayoutProblems(CPrintPreviewWnd::Current()->m_hWnd))
        ADD_FAILURE() << "the preview's buttons at " << ScreenDpi() << " DPI: " << problem;
    CheckAndSave(harness.Frame()->m_hWnd, "preview.png");
}
