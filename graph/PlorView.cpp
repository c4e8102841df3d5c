#include "graph/PlorView.h"

#include "app/resource.h"
#include "document/PlorDoc.h"
#include "framework/CmdUI.h"
#include "framework/FrameworkIds.h"
#include "framework/Gdi.h"

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
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, OnUpdateNeedsData)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, OnUpdateNeedsData)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateNeedsData)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateNeedsData)
END_MESSAGE_MAP()

namespace {

// The prompt's lines; the second is also the one its box is measured by.
const char* const kPromptLines[4] = {
    "Enter X-Y data by",
    "selecting, 'Graph Data..'",
    "from the 'Edit' menu",
    "or press 'F1' for Help",
};

}  // namespace

CPlorView::CPlorView()
    : m_drawParams(), m_trendX(), m_trendY(), m_trendIntercept(0.0f), m_trendSlope(0.0f), m_nPrintWidthInches(6),
      m_nPrintHeightInches(4), m_nPrintWidthPixels(0), m_nPrintHeightPixels(0), m_bTrendLine(FALSE)
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
    m_nPrintWidthInches = 6;
    m_nPrintHeightInches = 4;
    m_bTrendLine = FALSE;
    CView::OnInitialUpdate();
}

void CPlorView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    pDC->SetMapMode(MM_ANISOTROPIC);
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
    // One logical unit per pixel, y growing downward, (0, 0) at the bottom left.
    pDC->SetWindowExt(width, height);
    pDC->SetViewportExt(width, height);
    pDC->SetViewportOrg(originX, originY + height);
}

void CPlorView::OnDraw(CDC* pDC)
{
    m_drawParams = GetDocument()->m_graph;
    if (m_drawParams.pointCount < 2)
        DrawPrompt(pDC);
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

void CPlorView::OnEditCopy()
{
    // Copying the picture comes with the graph renderer.
}

void CPlorView::OnEditPaste()
{
    // Pasting text comes with the data-file parser.
}

void CPlorView::OnSizePrintedGraph()
{
    // The Printed Graph Size dialog comes with printing.
}

void CPlorView::OnTrendLine()
{
    // The trend line comes with the graph renderer.
}

void CPlorView::OnTrendLineEquation()
{
    // The equation comes with the trend line.
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
