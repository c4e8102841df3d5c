#pragma once
// The print preview: a window that takes the view's place in the frame and
// shows the printed page, scaled to fit, drawn by the view's own printing
// code through a context that measures on the printer and draws on the
// screen. Buttons Print, Next Page, Prev Page and Close; Page Down, Page Up
// and Escape do the same as the last three.
#include <memory>

#include "framework/Dc.h"
#include "framework/Wnd.h"

class CPrintInfo;
class CView;

// Measures on the printer (attribute context), draws on the screen page.
class CPreviewDC : public CDC {
public:
    CPreviewDC(HDC hScreen, HDC hPrinter, double scale, POINT pageOrigin);
    SIZE SetViewportExt(int cx, int cy) override;
    POINT SetViewportOrg(int x, int y) override;
    void LogicalToDevice(RECT* pRect) const override;

private:
    double m_scale;
    POINT m_pageOrigin;
};

class CPrintPreviewWnd : public CWnd {
public:
    // Opens the preview for pView, unless the printer cannot be had.
    static void Show(CView* pView);
    // The preview shown in pView's frame, or null.
    static CPrintPreviewWnd* Current();
    void Close();
    CView* View() const { return m_pView; }
    // The page's rectangle in the window, for the last layout.
    RECT PageRect() const;

    UINT m_nCurrentPage = 1;

protected:
    explicit CPrintPreviewWnd(CView* pView, CPrintInfo* pInfo);
    ~CPrintPreviewWnd() override;

    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    void OnClosePreview();
    void OnNextPage();
    void OnPrevPage();
    void OnPrint();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override { delete this; }

private:
    void CreateButtons();
    void UpdateButtons();
    double PageScale(RECT* pPage) const;

    CView* m_pView;
    std::unique_ptr<CPrintInfo> m_pInfo;
    HDC m_hPrinter;
    int m_nBarHeight = 0;

    DECLARE_MESSAGE_MAP()
};
