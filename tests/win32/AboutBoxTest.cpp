// The About box: its logo centred where the placeholder was, on every paint,
// and the program's dialog colours.
#include <gtest/gtest.h>

#include "app/AboutDlg.h"
#include "app/MainFrm.h"
#include "app/resource.h"
#include "framework/FrameworkIds.h"
#include "tests/support/AppHarness.h"
#include "tests/support/Screenshot.h"

namespace {

struct LogoCheck {
    RECT logoRect = {};
    RECT placeholderRect = {};
    bool placeholderGone = false;
    int mismatchesFirstPaint = -1;
    int mismatchesAfterCover = -1;
    COLORREF background = 0;
    COLORREF dialogBrushColor = 0;
};

// Pixels of the dialog's client area that differ from the LOGO bitmap drawn
// centred in rc (black ink on white paper).
int CountLogoMismatches(HWND hDlg, const RECT& rc)
{
    HBITMAP hLogo = LoadBitmapA(GetModuleHandleA(nullptr), "LOGO");
    BITMAP bm;
    GetObjectA(hLogo, sizeof bm, &bm);
    HDC hMem = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hMem, hLogo);
    Picture shown = CaptureWindow(hDlg, true);
    int x0 = (rc.left + rc.right - bm.bmWidth) / 2;
    int y0 = (rc.top + rc.bottom - bm.bmHeight) / 2;
    int mismatches = 0;
    for (int y = 0; y < bm.bmHeight; ++y) {
        for (int x = 0; x < bm.bmWidth; ++x) {
            if (shown.At(x0 + x, y0 + y) != (GetPixel(hMem, x, y) & 0xFFFFFF))
                ++mismatches;
        }
    }
    SelectObject(hMem, hOld);
    DeleteDC(hMem);
    DeleteObject(hLogo);
    return mismatches;
}

}  // namespace

TEST(AboutBox, LogoIsCentredInPlaceholderOnEveryPaint)
{
    AppHarness harness;
    harness.Start();
    LogoCheck check;
    harness.dialogs[IDD_ABOUTBOX] = [&check](CDialog* pDialog) {
        HWND hDlg = pDialog->m_hWnd;
        check.logoRect = static_cast<CAboutDlg*>(pDialog)->m_rcLogo;
        // Position and size are converted separately, as for the control itself.
        check.placeholderRect = { 21, 38, 127, 28 };
        MapDialogRect(hDlg, &check.placeholderRect);
        check.placeholderRect.right += check.placeholderRect.left;
        check.placeholderRect.bottom += check.placeholderRect.top;
        check.placeholderGone = GetDlgItem(hDlg, IDC_LOGO_PLACEHOLDER) == nullptr;
        check.mismatchesFirstPaint = CountLogoMismatches(hDlg, check.logoRect);
        // Cover the box with another window, uncover it, and look again.
        HWND hCover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 2000, 2000,
                                      nullptr, nullptr, nullptr, nullptr);
        UpdateWindow(hCover);
        DestroyWindow(hCover);
        UpdateWindow(hDlg);
        check.mismatchesAfterCover = CountLogoMismatches(hDlg, check.logoRect);
        check.background = CaptureWindow(hDlg, true).At(2, 2);
        HDC hdc = GetDC(hDlg);
        HBRUSH hBrush = reinterpret_cast<HBRUSH>(
            SendMessageA(hDlg, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hDlg)));
        LOGBRUSH lb = {};
        GetObjectA(hBrush, sizeof lb, &lb);
        check.dialogBrushColor = lb.lbColor;
        ReleaseDC(hDlg, hdc);
        pDialog->EndDialog(IDOK);
    };
    harness.Command(ID_APP_ABOUT);

    EXPECT_TRUE(check.placeholderGone);
    EXPECT_EQ(check.placeholderRect.left, check.logoRect.left);
    EXPECT_EQ(check.placeholderRect.top, check.logoRect.top);
    EXPECT_EQ(check.placeholderRect.right, check.logoRect.right);
    EXPECT_EQ(check.placeholderRect.bottom, check.logoRect.bottom);
    EXPECT_EQ(0, check.mismatchesFirstPaint);
    EXPECT_EQ(0, check.mismatchesAfterCover);
    EXPECT_EQ(RGB(192, 192, 192), check.background);
    EXPECT_EQ(RGB(192, 192, 192), check.dialogBrushColor);
}

TEST(AboutBox, TemplateHasTitleAndOkButton)
{
    AppHarness harness;
    harness.Start();
    std::string title;
    std::string okText;
    harness.dialogs[IDD_ABOUTBOX] = [&](CDialog* pDialog) {
        char text[64] = {};
        GetWindowTextA(pDialog->m_hWnd, text, sizeof text);
        title = text;
        GetDlgItemTextA(pDialog->m_hWnd, IDOK, text, sizeof text);
        okText = text;
        // Closed with its own button, as a user would.
        SendMessageA(GetDlgItem(pDialog->m_hWnd, IDOK), BM_CLICK, 0, 0);
    };
    harness.Command(ID_APP_ABOUT);
    EXPECT_EQ("About Plotra", title);
    EXPECT_EQ("OK", okText);
    EXPECT_TRUE(IsWindowEnabled(harness.Frame()->m_hWnd)) << "the owner is enabled again";
}
