#include "dialogs/GraphDataDlg.h"

#include "app/resource.h"
#include "dialogs/NumberTyping.h"
#include "framework/WinApp.h"
#include "grid/GridCtrl.h"
#include "grid/GridData.h"

BEGIN_MESSAGE_MAP(CGraphDataDlg, CDialog)
    ON_CONTROL(BN_CLICKED, IDC_DATA_OPTIONS, OnOptions)
END_MESSAGE_MAP()

namespace {

const char kTooFewRows[] = "Need two or more rows of data to plot graph!";
const char kEmptyCell[] = "Please enter data in empty cell !";
const char kIncompleteCell[] = "Please complete the number in this cell !";

}  // namespace

CGraphDataDlg::CGraphDataDlg(CWnd* pParent)
    : CDialog(IDD_GRAPH_DATA, pParent),
      m_pGrid(new CGridCtrl),
      m_pGridData(new CGridData)
{
}

CGraphDataDlg::~CGraphDataDlg()
{
    delete m_pGrid;
    delete m_pGridData;
    m_rowStrings.RemoveAll();
}

BOOL CGraphDataDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pGridData->m_pRows = m_pRowList ? m_pRowList : &m_rowView;
    // The empty first row SetSize gives a document without data keeps the
    // store's own separator (a tab); rows added later take the document's.
    m_pGridData->SetSize(m_nRows, m_nColumns);
    m_pGridData->m_chSeparator = m_chSeparator;
    m_pGrid->m_pData = m_pGridData;
    m_pGrid->SubclassDlgItem(IDC_GRID_CONTROL, this);
    m_pGrid->m_nTopRowLimit = 0;
    m_pGrid->m_bCanAddColumns = false;
    m_pGrid->m_bCanSelectColumns = false;
    m_pGrid->m_bAutoFitColumns = true;
    m_pGrid->Initialize();
    if (m_nRows < 3)
        m_pGrid->AddRow();
    // The focus stays where it is until the user clicks or tabs.
    return FALSE;
}

void CGraphDataDlg::OnOK()
{
    m_nRows = m_pGrid->m_nRows;
    m_bDataChanged = m_pGridData->m_bModified;
    if (CheckCells())
        return;
    EndDialog(IDOK);
}

int CGraphDataDlg::CheckCells()
{
    if (m_nRows < 3) {
        AfxMessageBox(kTooFewRows, MB_OK);
        m_pGrid->SetFocus();
        return 1;
    }
    for (int row = 0; row < m_nRows; ++row) {
        for (int column = 1; column <= m_nColumns; ++column) {
            std::string text = m_pGridData->GetCellText(row, column);
            // Row 0 holds the column titles, which are no numbers. A cell
            // the user did not change holds what the file or paste gave, and
            // is read as the conversion reads it.
            bool bTyped = row > 0 && m_pGridData->IsCellChanged(row, column);
            if (!text.empty() && (!bTyped || IsCompleteNumber(text.c_str())))
                continue;
            AfxMessageBox(text.empty() ? kEmptyCell : kIncompleteCell, MB_OK);
            m_pGrid->SetFocus();
            m_pGrid->EnsureVisible(row, column);
            m_pGrid->SetCurrentCell(row, column);
            return 1;
        }
    }
    return 0;
}

void CGraphDataDlg::OnOptions()
{
    m_pGrid->ShowGridMenu();
}

BOOL CGraphDataDlg::PreTranslateMessage(MSG* pMsg)
{
    // Enter and Escape go straight to the grid or its editor while one of
    // them has the focus, so they edit cells rather than press OK or Cancel;
    // on the buttons they work as in any dialog.
    HWND hGrid = m_pGrid->m_hWnd;
    bool bGridFocus = hGrid && (pMsg->hwnd == hGrid || ::IsChild(hGrid, pMsg->hwnd));
    if (bGridFocus && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        TranslateMessage(pMsg);
        DispatchMessageA(pMsg);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}
