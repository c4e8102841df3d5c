#include "framework/PrintPreviewWnd.h"

#include <algorithm>

#include "framework/FrameworkIds.h"
#include "framework/FrameWnd.h"
#include "framework/PrintInfo.h"
#include "framework/View.h"

BEGIN_MESSAGE_MAP(CPrintPreviewWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnClosePreview)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPrint)
END_MESSAGE_MAP()

namespace {

CPrintPreviewWnd* g_pCurrent = nullptr;
const int kMargin = 8;

int Round(double value)
{
    return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
}

}  // namespace

CPreviewDC::CPreviewDC(HDC hScreen, HDC hPrinter, double scale, POINT pageOrigin)
    : m_scale(scale), m_pageOrigin(pageOrigin)
{
    m_hDC = hScreen;
    m_hAttribDC = hPrinter;
    m_bPrinting = TRUE;
}

SIZE CPreviewDC::SetViewportExt(int cx, int cy)
{
    SIZE old = {};
    ::SetViewportExtEx(m_hAttribDC, cx, cy, nullptr);
    ::SetViewportExtEx(m_hDC, Round(cx * m_scale), Round(cy * m_scale), &old);
    return old;
}

POINT CPreviewDC::SetViewportOrg(int x, int y)
{
    POINT old = {};
    ::SetViewportOrgEx(m_hAttribDC, x, y, nullptr);
    ::SetViewportOrgEx(m_hDC, m_pageOrigin.x + Round(x * m_scale), m_pageOrigin.y + Round(y * m_scale), &old);
    return old;
}

void CPreviewDC::LogicalToDevice(RECT* pRect) const
{
    ::LPtoDP(m_hDC, reinterpret_cast<POINT*>(pRect), 2);
}

void CPrintPreviewWnd::Show(CView* pView)
{
    if (g_pCurrent)
        return;
    std::unique_ptr<CPrintInfo> info(new CPrintInfo);
    info->m_bPreview = TRUE;
    if (!pView->OnPreparePrinting(info.get()))
        return;
    CPrintPreviewWnd* pPreview = new CPrintPreviewWnd(pView, info.release());
    HWND hFrame = ::GetParent(pView->m_hWnd);
    RECT rc;
    ::GetClientRect(hFrame, &rc);
    const char* className = RegisterClass(CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), nullptr);
    if (!pPreview->CreateEx(0, className, "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, rc.right, rc.bottom, hFrame,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PREVIEW))))
        return;  // it has deleted itself
    g_pCurrent = pPreview;
    pPreview->CreateButtons();
    pView->ShowWindow(SW_HIDE);
    pPreview->ShowWindow(SW_SHOW);
    ::SetFocus(pPreview->m_hWnd);
}

CPrintPreviewWnd* CPrintPreviewWnd::Current()
{
    return g_pCurrent;
}

CPrintPreviewWnd::CPrintPreviewWnd(CView* pView, CPrintInfo* pInfo)
    : m_pView(pView), m_pInfo(pInfo), m_hPrinter(pInfo->m_pPD->m_pd.hDC)
{
}

CPrintPreviewWnd::~CPrintPreviewWnd()
{
    if (g_pCurrent == this)
        g_pCurrent = nullptr;
    if (m_hPrinter)
        ::DeleteDC(m_hPrinter);
}

namespace {

int ScreenDpi()
{
    HDC hdc = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(hdc, LOGPIXELSY);
    ::ReleaseDC(nullptr, hdc);
    return dpi;
}

// The widest of the texts in the font, on one line.
int WidestText(HFONT hFont, const CString* texts, int count)
{
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    int widest = 0;
    for (int i = 0; i < count; ++i) {
        RECT rc = {};
        ::DrawTextA(hdc, texts[i], -1, &rc, DT_CALCRECT | DT_SINGLELINE);
        widest = std::max<int>(widest, rc.right);
    }
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    return widest;
}

}  // namespace

void CPrintPreviewWnd::CreateButtons()
{
    const UINT ids[] = { AFX_ID_PREVIEW_PRINT, AFX_ID_PREVIEW_NEXT, AFX_ID_PREVIEW_PREV, AFX_ID_PREVIEW_CLOSE };
    const UINT textIds[] = { AFX_IDS_PREVIEW_PRINT, AFX_IDS_PREVIEW_NEXT, AFX_IDS_PREVIEW_PREV, AFX_IDS_PREVIEW_CLOSE };
    CString texts[4];
    for (int i = 0; i < 4; ++i)
        texts[i].LoadString(textIds[i]);
    HFONT hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // 88 x 24 pixels at 96 DPI, as large again as the screen's DPI is, and
    // never narrower than the longest text.
    const int dpi = ScreenDpi();
    auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    int width = std::max(scaled(88), WidestText(hFont, texts, 4) + scaled(12));
    int height = scaled(24);
    m_nBarHeight = height + scaled(8);
    for (int i = 0; i < 4; ++i) {
        HWND hButton = CreateWindowExA(0, "BUTTON", texts[i], WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                       kMargin + i * (width + scaled(8)), scaled(4), width, height, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ids[i])),
                                       GetModuleHandleA(nullptr), nullptr);
        ::SendMessageA(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    }
    UpdateButtons();
}

void CPrintPreviewWnd::UpdateButtons()
{
    ::EnableWindow(GetDlgItem(AFX_ID_PREVIEW_NEXT), m_nCurrentPage < m_pInfo->m_nMaxPage);
    ::EnableWindow(GetDlgItem(AFX_ID_PREVIEW_PREV), m_nCurrentPage > m_pInfo->m_nMinPage);
}

double CPrintPreviewWnd::PageScale(RECT* pPage) const
{
    RECT rc;
    GetClientRect(&rc);
    int pageWidth = ::GetDeviceCaps(m_hPrinter, HORZRES);
    int pageHeight = ::GetDeviceCaps(m_hPrinter, VERTRES);
    int roomWidth = rc.right - 2 * kMargin;
    int roomHeight = rc.bottom - m_nBarHeight - 2 * kMargin;
    if (pageWidth <= 0 || pageHeight <= 0 || roomWidth <= 0 || roomHeight <= 0) {
        SetRectEmpty(pPage);
        return 0.0;
    }
    double scale = static_cast<double>(roomWidth) / pageWidth;
    if (static_cast<double>(roomHeight) / pageHeight < scale)
        scale = static_cast<double>(roomHeight) / pageHeight;
    int width = Round(pageWidth * scale);
    int height = Round(pageHeight * scale);
    pPage->left = (rc.right - width) / 2;
    pPage->top = m_nBarHeight + kMargin + (roomHeight - height) / 2;
    pPage->right = pPage->left + width;
    pPage->bottom = pPage->top + height;
    return scale;
}

RECT CPrintPreviewWnd::PageRect() const
{
    RECT page;
    PageScale(&page);
    return page;
}

void CPrintPreviewWnd::OnPaint()
{
    CPaintDC paint(this);
    RECT page;
    double scale = PageScale(&page);
    if (scale <= 0.0)
        return;
    // The paper with a shadow, then the page drawn as the printer would.
    RECT shadow = { page.left + 4, page.top + 4, page.right + 4, page.bottom + 4 };
    FillRect(paint.m_hDC, &shadow, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(paint.m_hDC, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    int saved = SaveDC(paint.m_hDC);
    IntersectClipRect(paint.m_hDC, page.left, page.top, page.right, page.bottom);
    POINT origin = { page.left, page.top };
    CPreviewDC dc(paint.m_hDC, m_hPrinter, scale, origin);
    m_pInfo->m_nCurPage = m_nCurrentPage;
    m_pView->OnPrepareDC(&dc, m_pInfo.get());
    m_pView->OnPrint(&dc, m_pInfo.get());
    RestoreDC(paint.m_hDC, saved);
    dc.Detach();
}

void CPrintPreviewWnd::OnSize(UINT, int, int)
{
    Invalidate(TRUE);
}

void CPrintPreviewWnd::Close()
{
    CView* pView = m_pView;
    DestroyWindow();
    pView->ShowWindow(SW_SHOW);
    ::SetFocus(pView->m_hWnd);
}

void CPrintPreviewWnd::OnClosePreview()
{
    Close();
}

void CPrintPreviewWnd::OnNextPage()
{
    if (m_nCurrentPage < m_pInfo->m_nMaxPage) {
        ++m_nCurrentPage;
        UpdateButtons();
        Invalidate(TRUE);
    }
}

void CPrintPreviewWnd::OnPrevPage()
{
    if (m_nCurrentPage > m_pInfo->m_nMinPage) {
        --m_nCurrentPage;
        UpdateButtons();
        Invalidate(TRUE);
    }
}

void CPrintPreviewWnd::OnPrint()
{
    CView* pView = m_pView;
    Close();
    pView->OnFilePrint();
}

BOOL CPrintPreviewWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return FALSE;
    switch (pMsg->wParam) {
    case VK_ESCAPE:
        Close();
        return TRUE;
    case VK_NEXT:
        OnNextPage();
        return TRUE;
    case VK_PRIOR:
        OnPrevPage();
        return TRUE;
    default:
        return FALSE;
    }
}
