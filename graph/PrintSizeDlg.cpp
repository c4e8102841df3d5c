#include "graph/PrintSizeDlg.h"

#include "app/resource.h"
#include "framework/DataExchange.h"

CPrintSizeDlg::CPrintSizeDlg(CWnd* pParent) : CDialog(IDD_PRINT_SIZE, pParent), m_nHeightIndex(-1), m_nWidthIndex(-1)
{
}

void CPrintSizeDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, IDC_HEIGHT_LIST, m_nHeightIndex);
    DDX_CBIndex(pDX, IDC_WIDTH_LIST, m_nWidthIndex);
}
