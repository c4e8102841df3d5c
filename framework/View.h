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
