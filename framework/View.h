#pragma once
// CView: the child window that shows a document inside its frame. It paints
// through OnPrepareDC and OnDraw, and routes commands to itself first and then
// to its document.
#include "framework/Dc.h"
#include "framework/Wnd.h"

class CDocument;
class CFrameWnd;
class CPrintInfo;

class CView : public CWnd {
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    BOOL Create(CFrameWnd* pParent, CDocument* pDocument);

    virtual void OnDraw(CDC* pDC) = 0;
    // Sets up the device context before each drawing; pInfo is null on screen.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // Called for each new or opened document; redraws the view.
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // What the view draws has changed: the view and, while it is shown, the
    // print preview's page are drawn again.
    void Redraw();
    // Only what is printed has changed: the preview's page, if shown.
    void RedrawPreview();

    // Printing: the view prepares the job (normally by DoPreparePrinting),
    // then draws each page through OnPrepareDC and OnPrint.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The print dialog (or, for a preview, the default printer); FALSE when
    // cancelled or when there is no printer (the user has been told).
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // File Print: one print job through the functions above.
    void OnFilePrint();
    // Print Preview: the pages on the screen in the preview window.
    void OnFilePrintPreview();
    // The document's title changed: the frame's caption follows.
    void OnDocumentTitleChanged();

    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override;

    CDocument* m_pDocument = nullptr;

protected:
    CView() = default;
    void OnPaint();
    void PostNcDestroy() override { delete this; }

    DECLARE_MESSAGE_MAP()
};
