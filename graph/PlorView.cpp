#include "graph/PlorView.h"

#include "app/resource.h"
#include "document/PlorDoc.h"
#include "framework/CmdUI.h"
#include "framework/DibSection.h"
#include "framework/Exception.h"
#include "framework/FrameworkIds.h"
#include "framework/MetaFileDC.h"
#include "framework/Gdi.h"
#include "framework/PrintInfo.h"
#include "framework/WinApp.h"
#include "graph/GraphRenderer.h"
#include "graph/LineReader.h"
#include "graph/PrintSizeDlg.h"

IMPLEMENT_DYNCREATE(CPlorView)

BEGIN_MESSAGE_MAP(CPlorView, CView)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedsData)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_FILE_SIZE_GRAPH, OnSizePrintedGraph)
    ON_COMMAND(ID_EDIT_TREND_LINE, OnTrendLine)
    ON_UPDATE_COMMAND_UI(ID_EDIT_TREND_LINE, OnUpdateTrendLine)
    ON_COMMAND(ID_EDIT_TREND_EQUATION, OnTrendLineEquation)
    ON_UPDATE_COMMAND_UI(ID_EDIT_TREND_EQUATION, OnUpdateTrendLineEquation)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, OnUpdateNeedsData)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, OnUpdateNeedsData)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateNeedsData)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateNeedsData)
    ON_MESSAGE(UWM_SCALE_ERROR, OnScaleError)
    ON_MESSAGE(WM_RENDERFORMAT, OnRenderFormat)
    ON_MESSAGE(WM_RENDERALLFORMATS, OnRenderAllFormats)
    ON_MESSAGE(WM_DESTROYCLIPBOARD, OnDestroyClipboard)
END_MESSAGE_MAP()

namespace {

// The prompt's lines; the second is also the one its box is measured by.
const char* const kPromptLines[4] = {
    "Enter X-Y data by",
    "selecting, 'Graph Data..'",
    "from the 'Edit' menu",
    "or press 'F1' for Help",
};

// One logical unit per pixel, y growing downward, (0, 0) at the bottom left
// of the area whose top left is (originX, originY) on the device.
void MapArea(CDC* pDC, int width, int height, int originX, int originY)
{
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(width, height);
    pDC->SetViewportExt(width, height);
    pDC->SetViewportOrg(originX, originY + height);
}

}  // namespace

CPlorView::CPlorView()
    : m_drawParams(), m_trendX(), m_trendY(), m_trendIntercept(0.0f), m_trendSlope(0.0f), m_nPrintWidthInches(6),
      m_nPrintHeightInches(4), m_nPrintWidthPixels(0), m_nPrintHeightPixels(0), m_bTrendLine(FALSE),
      m_trendFit(TrendFit::Drawn)
{
}

CPlorDoc* CPlorView::GetDocument() const
{
    return static_cast<CPlorDoc*>(m_pDocument);
}

void CPlorView::OnInitialUpdate()
{
    m_trendSlope = 0.0f;
    m_trendIntercept = 0.0f;
    m_trendFit = TrendFit::Drawn;
    m_nPrintWidthInches = 6;
    m_nPrintHeightInches = 4;
    m_bTrendLine = FALSE;
    m_bTrendRecord = false;
    CView::OnInitialUpdate();
}

void CPlorView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // New data or settings deserve a new verdict on whether they scale.
    m_bScaleErrorShown = false;
    m_bTrendRecord = false;
    CView::OnUpdate(pSender, lHint, pHint);
}

void CPlorView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    int width;
    int height;
    int originX = 0;
    int originY = 0;
    if (pDC->IsPrinting()) {
        width = m_nPrintWidthInches * pDC->GetDeviceCaps(LOGPIXELSX);
        height = m_nPrintHeightInches * pDC->GetDeviceCaps(LOGPIXELSY);
        m_nPrintWidthPixels = width;
        m_nPrintHeightPixels = height;
        originX = (pDC->GetDeviceCaps(HORZRES) - width) / 2;
        originY = (pDC->GetDeviceCaps(VERTRES) - height) / 2;
    } else {
        RECT rc;
        GetClientRect(&rc);
        width = rc.right;
        height = rc.bottom;
    }
    GetDocument()->m_graph.areaWidth = width;
    GetDocument()->m_graph.areaHeight = height;
    MapArea(pDC, width, height, originX, originY);
}

void CPlorView::OnDraw(CDC* pDC)
{
    m_drawParams = GetDocument()->m_graph;
    m_bTrendRecord = false;
    const bool bUnscaled = g_graphRenderer.Draw(pDC, &m_drawParams, FALSE);
    if (bUnscaled && GetDocument()->m_graph.pointCount < 2) {
        DrawPrompt(pDC);
        return;
    }
    if (bUnscaled && !m_bScaleErrorShown) {
        // Shown once for these data, after the paint: a box shown from
        // inside the drawing would make more drawings, and more boxes.
        m_bScaleErrorShown = true;
        PostMessage(UWM_SCALE_ERROR);
    }
    if (m_bTrendLine)
        DrawTrendLine(pDC, !bUnscaled);
}

// The line is fitted at every drawing, so that its equation is that of the
// data shown, even where the plot has no room to draw it or the data no scale.
void CPlorView::DrawTrendLine(CDC* pDC, bool bScaled)
{
    m_trendFit = FitTrendLine(m_drawParams, g_graphRenderer.XScale(), g_graphRenderer.YScale(), m_trendX, m_trendY,
                              m_trendIntercept, m_trendSlope);
    if (!bScaled || m_trendFit != TrendFit::Drawn || g_graphRenderer.PlotTooSmall())
        return;
    m_drawParams = MakeTrendRecord(m_drawParams, m_trendX, m_trendY);
    m_bTrendRecord = true;
    g_graphRenderer.Draw(pDC, &m_drawParams, TRUE);
}

LRESULT CPlorView::OnScaleError(WPARAM, LPARAM)
{
    AfxMessageBox(IDS_UNABLE_TO_SCALE, MB_OK | MB_ICONSTOP);
    return 0;
}

void CPlorView::DrawPrompt(CDC* pDC) const
{
    SIZE extent = pDC->GetTextExtent(kPromptLines[1]);
    int w = extent.cx;
    int h = extent.cy;
    int areaHeight = GetDocument()->m_graph.areaHeight;
    CBrush yellow;
    yellow.CreateSolidBrush(RGB(255, 255, 0));
    HGDIOBJ hOldBrush = pDC->SelectObject(yellow);
    pDC->Rectangle(h, h - areaHeight - 3, w + h + 6, 5 * h - areaHeight + 3);
    pDC->SetBkColor(RGB(255, 255, 0));
    for (int k = 1; k <= 4; ++k)
        pDC->TextOut(h + 3, k * h - areaHeight, kPromptLines[k - 1]);
    pDC->SelectObject(hOldBrush);
}

BOOL CPlorView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->m_pPD->m_pd.Flags |= PD_NOPAGENUMS;
    return DoPreparePrinting(pInfo);
}

void CPlorView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CPlorView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    // A print of data that cannot be scaled says so, even when the screen
    // has told already: the page comes out empty.
    if (pInfo && !pInfo->m_bPreview)
        m_bScaleErrorShown = false;
    GetDocument()->m_graph.areaWidth = m_nPrintWidthPixels;
    GetDocument()->m_graph.areaHeight = m_nPrintHeightPixels;
    OnDraw(pDC);
}

void CPlorView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

void CPlorView::OnSizePrintedGraph()
{
    CPrintSizeDlg dialog(this);
    dialog.m_nWidthIndex = m_nPrintWidthInches - 3;
    dialog.m_nHeightIndex = m_nPrintHeightInches - 2;
    if (dialog.DoModal() != IDOK)
        return;
    // A list left without a selection keeps its size.
    if (dialog.m_nWidthIndex >= 0)
        m_nPrintWidthInches = dialog.m_nWidthIndex + 3;
    if (dialog.m_nHeightIndex >= 0)
        m_nPrintHeightInches = dialog.m_nHeightIndex + 2;
    RedrawPreview();
}

void CPlorView::DrawCopy(CDC* pDC, int width, int height)
{
    // The window's size, whatever the last drawing was: after printing the
    // records hold the printer's area.
    GraphParams graph = GetDocument()->m_graph;
    graph.areaWidth = width;
    graph.areaHeight = height;
    GraphParams trend = m_drawParams;
    trend.areaWidth = width;
    trend.areaHeight = height;
    if (!g_graphRenderer.Draw(pDC, &graph, FALSE) && m_bTrendLine && m_bTrendRecord)
        g_graphRenderer.Draw(pDC, &trend, TRUE);
}

std::vector<BYTE> CPlorView::MakePicture()
{
    RECT rc;
    GetClientRect(&rc);
    CMetaFileDC dc;
    if (!dc.CreateEnhanced())
        return {};
    // The default text mapping, so the extent has no effect; the origin puts
    // logical (0, -H) at the picture's top left.
    dc.SetWindowExt(rc.right, rc.bottom);
    dc.SetWindowOrg(0, -rc.bottom);
    DrawCopy(&dc, rc.right, rc.bottom);
    return dc.CloseEnhanced();
}

HGLOBAL CPlorView::MakeBitmap()
{
    RECT rc;
    GetClientRect(&rc);
    CDibSection picture;
    if (!picture.Create(rc.right, rc.bottom))
        return nullptr;
    CDC& dc = picture.GetDC();
    // On the view's own background, as the window shows it.
    ::FillRect(dc.m_hDC, &rc, GetSysColorBrush(COLOR_WINDOW));
    MapArea(&dc, rc.right, rc.bottom, 0, 0);
    DrawCopy(&dc, rc.right, rc.bottom);
    return picture.CopyPacked();
}

void CPlorView::OnEditCopy()
{
    std::vector<BYTE> picture = MakePicture();
    if (picture.empty()) {
        AfxMessageBox(IDS_NO_MEMORY_FOR_GRAPH, MB_OK | MB_ICONSTOP);
        return;
    }
    // The same picture as a bitmap, for programs that paste no metafile;
    // without it the metafile goes alone.
    HGLOBAL hBitmap = MakeBitmap();
    if (::OpenClipboard(m_hWnd)) {
        EmptyClipboard();
        m_copiedPicture.swap(picture);
        // The metafile first: programs take the first format they know. It
        // is handed over when one asks for it.
        SetClipboardData(CF_ENHMETAFILE, nullptr);
        if (hBitmap && SetClipboardData(CF_DIB, hBitmap))
            hBitmap = nullptr;
        CloseClipboard();
    } else {
        // Told as a failed paste is told.
        AfxMessageBox(IDS_CLIPBOARD_ERROR, MB_OK | MB_ICONSTOP);
    }
    if (hBitmap)
        GlobalFree(hBitmap);
}

LRESULT CPlorView::OnRenderFormat(WPARAM wParam, LPARAM)
{
    if (wParam != CF_ENHMETAFILE || m_copiedPicture.empty())
        return 0;
    HENHMETAFILE hPicture = SetEnhMetaFileBits(static_cast<UINT>(m_copiedPicture.size()), m_copiedPicture.data());
    if (!hPicture)
        return 0;
    // Refused (no paste in progress, or no memory for it): the picture is
    // kept for the next program that asks.
    if (!SetClipboardData(CF_ENHMETAFILE, hPicture)) {
        DeleteEnhMetaFile(hPicture);
        return 0;
    }
    // The clipboard holds it now.
    std::vector<BYTE>().swap(m_copiedPicture);
    return 0;
}

LRESULT CPlorView::OnRenderAllFormats(WPARAM, LPARAM)
{
    // The view is going: the clipboard keeps the picture without it.
    if (!m_copiedPicture.empty() && ::OpenClipboard(m_hWnd)) {
        if (GetClipboardOwner() == m_hWnd)
            OnRenderFormat(CF_ENHMETAFILE, 0);
        CloseClipboard();
    }
    return 0;
}

LRESULT CPlorView::OnDestroyClipboard(WPARAM, LPARAM)
{
    std::vector<BYTE>().swap(m_copiedPicture);
    return 0;
}

bool CPlorView::ReadClipboardText(std::string& text)
{
    // Another program holding the clipboard open is a failure to read it,
    // told like a failed lock; the document stays as it was.
    if (!::OpenClipboard(m_hWnd)) {
        AfxMessageBox(IDS_CLIPBOARD_ERROR, MB_OK | MB_ICONSTOP);
        return false;
    }
    HANDLE hText = GetClipboardData(CF_TEXT);
    if (!hText) {
        CloseClipboard();
        return false;
    }
    const char* p = static_cast<const char*>(GlobalLock(hText));
    if (!p) {
        CloseClipboard();
        // Nothing was read, so nothing of the document is given up.
        AfxMessageBox(IDS_CLIPBOARD_ERROR, MB_OK | MB_ICONSTOP);
        return false;
    }
    bool bHeld = AfxRunUnlessOutOfMemory([&] { text.assign(p, strnlen(p, GlobalSize(hText))); });
    GlobalUnlock(hText);
    CloseClipboard();
    if (!bHeld)
        AfxMessageBox(IDS_NO_MEMORY_FOR_GRAPH, MB_OK | MB_ICONSTOP);
    return bHeld;
}

void CPlorView::OnEditPaste()
{
    std::string text;
    if (!ReadClipboardText(text))
        return;
    if (text.size() > kLargeTextWarningSize)
        AfxMessageBox(IDS_LARGE_FILE, MB_OK | MB_ICONEXCLAMATION);
    CPlorDoc* pDoc = GetDocument();
    // Cancel in the save question keeps the document and ends the paste.
    if (!pDoc->SaveModified())
        return;
    pDoc->SetModifiedFlag(FALSE);
    AfxGetApp()->OnFileNew();
    PasteText(text);
}

void CPlorView::PasteText(const std::string& text)
{
    CPlorDoc* pDoc = GetDocument();
    bool bHeld = AfxRunUnlessOutOfMemory([&] {
        LineReader reader(text.data(), text.size());
        int count = 0;
        for (std::string line; reader.ReadLine(line); ++count)
            pDoc->m_lines.SetAtGrow(count, line);
        pDoc->ParseText(count);
    });
    // Lines that found no room are refused as a whole, as points are.
    if (!bHeld)
        pDoc->ReportError(IDS_NO_MEMORY_FOR_GRAPH);
    pDoc->SetModifiedFlag(TRUE);
    pDoc->UpdateAllViews(nullptr);
}

void CPlorView::OnTrendLine()
{
    m_bTrendLine = !m_bTrendLine;
    Redraw();
}

void CPlorView::OnTrendLineEquation()
{
    // A line that misses the Y range still has its equation; only where no
    // line could be fitted is there nothing to show but why.
    std::string text = m_trendFit == TrendFit::AllXEqual ? std::string(kNoTrendLineText)
                                                         : TrendEquationText(m_trendIntercept, m_trendSlope);
    AfxMessageBox(m_hWnd, text.c_str(), kTrendEquationCaption, MB_OK | MB_ICONINFORMATION);
}

void CPlorView::OnUpdateNeedsData(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetDocument()->m_graph.pointCount > 1);
}

void CPlorView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsClipboardFormatAvailable(CF_TEXT));
}

void CPlorView::OnUpdateTrendLine(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetDocument()->m_graph.pointCount > 1);
    pCmdUI->SetCheck(m_bTrendLine);
}

void CPlorView::OnUpdateTrendLineEquation(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bTrendLine && GetDocument()->m_graph.pointCount > 1);
}
