#include "framework/View.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/FrameworkIds.h"
#include "framework/PrintInfo.h"
#include "framework/PrintPreviewWnd.h"
#include "framework/ShellCalls.h"
#include "framework/UiHooks.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"

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
    Redraw();
}

void CView::Redraw()
{
    Invalidate(TRUE);
    RedrawPreview();
}

void CView::RedrawPreview()
{
    if (CPrintPreviewWnd* pPreview = CPrintPreviewWnd::Current())
        pPreview->Invalidate(TRUE);
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
    if (m_pDocument)
        m_pDocument->EndWaitUntilPainted();
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    PRINTDLGA& pd = pInfo->m_pPD->m_pd;
    pd.hwndOwner = ::GetParent(m_hWnd);
    CWinApp* pApp = AfxGetApp();
    if (pInfo->m_bPreview && pApp && pApp->m_hDevNames) {
        // A preview shows the page of the printer chosen in Print Setup.
        pd.hDC = pApp->CreateChosenPrinterDC();
        if (pd.hDC)
            return TRUE;
    }
    if (pInfo->m_bPreview) {
        pd.Flags |= PD_RETURNDEFAULT;
    } else if (pApp) {
        // The print dialog opens on the chosen printer.
        pd.hDevMode = pApp->CopyDevMode();
        pd.hDevNames = pApp->CopyDevNames();
    }
    BOOL ok;
    if (AfxGetUiHooks().printDialog) {
        ok = AfxGetUiHooks().printDialog(pd);
    } else {
        ok = AfxPrintDlg(pd);
        // No printer at all: PrintDlg fails without a dialog the user saw.
        if (!ok && AfxCommDlgExtendedError() == PDERR_NODEFAULTPRN) {
            AfxMessageBox(AFX_IDP_NO_PRINTER, MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    if (ok && pApp && !pInfo->m_bPreview && pd.hDevNames) {
        // What the user picked in the print dialog stays the chosen printer.
        pApp->SelectPrinter(pd.hDevNames, pd.hDevMode);
        pd.hDevNames = nullptr;
        pd.hDevMode = nullptr;
    }
    return ok && pd.hDC != nullptr;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (!OnPreparePrinting(&info))
        return;
    CDC dc;
    dc.Attach(info.m_pPD->m_pd.hDC);
    dc.m_bPrinting = TRUE;
    OnBeginPrinting(&dc, &info);
    CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
    // The print queue shows the document's name as it is, in any script.
    const std::wstring docName = AfxWide(title);
    const std::wstring output = AfxWide(info.m_pszOutput);
    DOCINFOW docInfo = {};
    docInfo.cbSize = sizeof docInfo;
    docInfo.lpszDocName = docName.c_str();
    docInfo.lpszOutput = info.m_pszOutput ? output.c_str() : nullptr;
    bool ok = StartDocW(dc.m_hDC, &docInfo) > 0;
    for (UINT page = info.m_nMinPage; ok && page <= info.m_nMaxPage; ++page) {
        info.m_nCurPage = page;
        ok = ::StartPage(dc.m_hDC) > 0;
        if (ok) {
            OnPrepareDC(&dc, &info);
            OnPrint(&dc, &info);
            ok = ::EndPage(dc.m_hDC) > 0;
        }
    }
    // A job the spooler could not finish failed as one that stopped sooner.
    if (ok)
        ok = ::EndDoc(dc.m_hDC) > 0;
    else
        ::AbortDoc(dc.m_hDC);
    OnEndPrinting(&dc, &info);
    ::DeleteDC(dc.m_hDC);
    dc.Detach();
    if (!ok)
        AfxMessageBox(AFX_IDP_PRINT_FAILED, MB_OK | MB_ICONEXCLAMATION);
}

void CView::OnFilePrintPreview()
{
    CPrintPreviewWnd::Show(this);
}
