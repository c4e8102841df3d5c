#include "framework/View.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/FrameworkIds.h"

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::Create(CFrameWnd* pParent, CDocument* pDocument)
{
    pDocument->AddView(this);
    const char* className = RegisterClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    RECT rc;
    ::GetClientRect(pParent->m_hWnd, &rc);
    return CreateEx(WS_EX_CLIENTEDGE, className, "", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom,
                    pParent->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)));
}

void CView::OnPrepareDC(CDC*, CPrintInfo*)
{
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

void CView::OnDocumentTitleChanged()
{
    if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
        pFrame->OnUpdateFrameTitle();
}

BOOL CView::OnCmdMsg(UINT nID, UINT nCode, void* pExtra)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra);
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}
