// Every dialog of the program is modal to the whole main window: while it
// is up the frame (and so its menu and accelerators) takes no input.
#include <gtest/gtest.h>

#include "app/MainFrm.h"
#include "app/resource.h"
#include "framework/Dialog.h"
#include "framework/FrameworkIds.h"
#include "tests/support/AppHarness.h"

TEST(ModalDialog, FrameIsDisabledWhileEachDialogIsUp)
{
    struct {
        UINT command;
        UINT dialog;
    } const cases[] = {
        /* 0 */ { ID_FILE_SIZE_GRAPH, IDD_PRINT_SIZE },
        /* 1 */ { ID_APP_ABOUT, IDD_ABOUTBOX },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        AppHarness harness;
        harness.Start();
        HWND hFrame = harness.Frame()->m_hWnd;
        bool shown = false;
        BOOL frameEnabled = TRUE;
        HWND hOwner = nullptr;
        harness.dialogs[cases[i].dialog] = [&](CDialog* pDialog) {
            shown = true;
            frameEnabled = IsWindowEnabled(hFrame);
            hOwner = GetWindow(pDialog->m_hWnd, GW_OWNER);
            // A menu command reaching the frame now would run under the dialog.
            pDialog->EndDialog(IDCANCEL);
        };
        harness.Command(cases[i].command);
        ASSERT_TRUE(shown) << "row " << i;
        EXPECT_FALSE(frameEnabled) << "row " << i;
        EXPECT_EQ(hFrame, hOwner) << "row " << i;
        EXPECT_TRUE(IsWindowEnabled(hFrame)) << "row " << i << ": enabled again after";
    }
}
