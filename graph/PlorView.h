#pragma once
// CPlorView: the program's one view. It draws the document's graph, or with
// fewer than two points a prompt telling how to enter data, and owns the
// trend-line switch and the printed size.
#include <string>
#include <vector>

#include "document/GraphParams.h"
#include "framework/View.h"
#include "graph/TrendLine.h"

class CCmdUI;
class CPlorDoc;

class CPlorView : public CView {
    DECLARE_DYNCREATE(CPlorView)

public:
    CPlorView();
    CPlorDoc* GetDocument() const;

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // The yellow box with the four lines of the prompt, at the top left of
    // the drawing area.
    void DrawPrompt(CDC* pDC) const;

    // Members in this order.
    GraphParams m_drawParams;
    float m_trendX[2];
    float m_trendY[2];
    float m_trendIntercept;
    float m_trendSlope;
    int m_nPrintWidthInches;
    int m_nPrintHeightInches;
    int m_nPrintWidthPixels;
    int m_nPrintHeightPixels;
    BOOL m_bTrendLine;
    // How the last drawing's trend line came out; the equation box goes by it.
    TrendFit m_trendFit;
    // m_drawParams holds the trend line of the last drawing, for the copy.
    bool m_bTrendRecord = false;

protected:
    void OnEditCopy();
    void OnEditPaste();
    void OnSizePrintedGraph();
    void OnTrendLine();
    void OnTrendLineEquation();
    void OnUpdateNeedsData(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateTrendLine(CCmdUI* pCmdUI);
    void OnUpdateTrendLineEquation(CCmdUI* pCmdUI);
    LRESULT OnScaleError(WPARAM wParam, LPARAM lParam);
    LRESULT OnRenderFormat(WPARAM wParam, LPARAM lParam);
    LRESULT OnRenderAllFormats(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroyClipboard(WPARAM wParam, LPARAM lParam);

private:
    void DrawTrendLine(CDC* pDC, bool bScaled);
    // The picture Copy puts on the clipboard, at the given size: the
    // document's graph and, when it is on and was drawn for these data, the
    // trend line.
    void DrawCopy(CDC* pDC, int width, int height);
    // That picture at the window's size, as a metafile's bytes; none when
    // it could not be made.
    std::vector<BYTE> MakePicture();
    // The same as a device-independent bitmap (CF_DIB) in a global block;
    // null when none could be made.
    HGLOBAL MakeBitmap();
    // Reads the clipboard's text; false (the user told, if need be) when
    // there is none or it cannot be read.
    bool ReadClipboardText(std::string& text);
    void PasteText(const std::string& text);

    // The unscalable-data message was shown for the data now in the document.
    bool m_bScaleErrorShown = false;
    // The metafile of the last Copy, kept until a program asks the clipboard
    // for it: handing a large one over costs more than making it.
    std::vector<BYTE> m_copiedPicture;

    DECLARE_MESSAGE_MAP()
};
