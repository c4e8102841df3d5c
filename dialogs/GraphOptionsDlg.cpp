#include "dialogs/GraphOptionsDlg.h"

#include "app/resource.h"
#include "dialogs/NumberValidator.h"
#include "document/PlorDoc.h"
#include "framework/DataExchange.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CGraphOptionsDlg, CDialog)
    ON_CONTROL(BN_CLICKED, IDC_OPT_USE_Y_SCALE, OnUseYScale)
    ON_CONTROL(BN_CLICKED, IDC_OPT_USE_X_SCALE, OnUseXScale)
    ON_CONTROL_RANGE(EN_UPDATE, IDC_OPT_Y_MIN, IDC_OPT_Y_MAX, OnScaleUpdate)
    ON_CONTROL_RANGE(EN_UPDATE, IDC_OPT_X_MIN, IDC_OPT_X_MAX, OnScaleUpdate)
END_MESSAGE_MAP()

namespace {

const int kMaxTextChars = 40;
const UINT kScaleIds[4] = { IDC_OPT_Y_MIN, IDC_OPT_Y_MAX, IDC_OPT_X_MIN, IDC_OPT_X_MAX };
const UINT kYScaleIds[4] = { IDC_OPT_Y_MIN_LABEL, IDC_OPT_Y_MIN, IDC_OPT_Y_MAX_LABEL, IDC_OPT_Y_MAX };
const UINT kXScaleIds[4] = { IDC_OPT_X_MIN_LABEL, IDC_OPT_X_MIN, IDC_OPT_X_MAX_LABEL, IDC_OPT_X_MAX };

int ScaleField(UINT nID)
{
    for (int i = 0; i < 4; ++i) {
        if (kScaleIds[i] == nID)
            return i;
    }
    return -1;
}

// Sets a flag for the life of the object.
class CFlagScope {
public:
    CFlagScope(bool& flag, bool value) : m_flag(flag), m_old(flag) { m_flag = value; }
    ~CFlagScope() { m_flag = m_old; }
    CFlagScope(const CFlagScope&) = delete;
    CFlagScope& operator=(const CFlagScope&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

}  // namespace

CGraphOptionsDlg::CGraphOptionsDlg(CWnd* pParent) : CDialog(IDD_GRAPH_OPTIONS, pParent)
{
}

void CGraphOptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    // Writing the limit fields is not typing.
    CFlagScope quiet(m_bQuiet, m_bQuiet || !pDX->m_bSaveAndValidate);
    DDX_Text(pDX, IDC_OPT_TITLE, m_strTitle);
    DDV_MaxChars(pDX, m_strTitle, kMaxTextChars);
    DDX_Text(pDX, IDC_OPT_X_LABEL, m_strXLabel);
    DDV_MaxChars(pDX, m_strXLabel, kMaxTextChars);
    DDX_Text(pDX, IDC_OPT_Y_LABEL, m_strYLabel);
    DDV_MaxChars(pDX, m_strYLabel, kMaxTextChars);
    DDX_CBIndex(pDX, IDC_OPT_POINT_TYPE, m_nPointType);
    DDX_CBIndex(pDX, IDC_OPT_POINT_SIZE, m_nPointSize);
    DDX_CBIndex(pDX, IDC_OPT_X_INCREMENTS, m_nXIncrementIndex);
    DDX_CBIndex(pDX, IDC_OPT_Y_INCREMENTS, m_nYIncrementIndex);
    DDX_Check(pDX, IDC_OPT_GRID, m_bGrid);
    DDX_CBIndex(pDX, IDC_OPT_LINE_TYPE, m_nLineType);
    DDX_CBIndex(pDX, IDC_OPT_LINE_SIZE, m_nLineSize);
    DDX_Check(pDX, IDC_OPT_USE_Y_SCALE, m_bUseYScale);
    DDX_Check(pDX, IDC_OPT_USE_X_SCALE, m_bUseXScale);
    if (m_bUseXScale) {
        DDX_CheckedDouble(pDX, IDC_OPT_X_MAX, m_dXMax);
        DDX_CheckedDouble(pDX, IDC_OPT_X_MIN, m_dXMin);
    }
    if (m_bUseYScale) {
        DDX_CheckedDouble(pDX, IDC_OPT_Y_MAX, m_dYMax);
        DDX_CheckedDouble(pDX, IDC_OPT_Y_MIN, m_dYMin);
    }
}

BOOL CGraphOptionsDlg::OnInitDialog()
{
    CFlagScope quiet(m_bQuiet, true);
    for (int i = 0; i < 4; ++i)
        m_scaleEdits[i].SubclassDlgItem(kScaleIds[i], this);
    for (int n = 2; n <= 10; ++n) {
        char text[4];
        wsprintfA(text, "%d", n);
        SendDlgItemMessageA(m_hWnd, IDC_OPT_X_INCREMENTS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendDlgItemMessageA(m_hWnd, IDC_OPT_Y_INCREMENTS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendDlgItemMessageA(m_hWnd, IDC_OPT_X_INCREMENTS, CB_SETCURSEL, m_nXIncrementIndex, 0);
    SendDlgItemMessageA(m_hWnd, IDC_OPT_Y_INCREMENTS, CB_SETCURSEL, m_nYIncrementIndex, 0);
    EnableYScale(m_bUseYScale);
    EnableXScale(m_bUseXScale);
    BOOL result = CDialog::OnInitDialog();
    for (int i = 0; i < 4; ++i)
        RememberScaleText(i);
    return result;
}

void CGraphOptionsDlg::EnableAxis(const UINT (&fixedIds)[4], UINT listLabelId, UINT listId, int savedIncrements,
                                  BOOL bOn)
{
    for (UINT id : fixedIds)
        ::EnableWindow(GetDlgItem(id), bOn);
    ::EnableWindow(GetDlgItem(listLabelId), !bOn);
    ::EnableWindow(GetDlgItem(listId), !bOn);
    if (!bOn)
        SendDlgItemMessageA(m_hWnd, listId, CB_SETCURSEL, static_cast<WPARAM>(savedIncrements - 2), 0);
}

void CGraphOptionsDlg::EnableYScale(BOOL bOn)
{
    EnableAxis(kYScaleIds, IDC_OPT_Y_INC_LABEL, IDC_OPT_Y_INCREMENTS, m_nSavedYIncrements, bOn);
}

void CGraphOptionsDlg::EnableXScale(BOOL bOn)
{
    EnableAxis(kXScaleIds, IDC_OPT_X_INC_LABEL, IDC_OPT_X_INCREMENTS, m_nSavedXIncrements, bOn);
}

void CGraphOptionsDlg::OnUseYScale()
{
    m_bUseYScale = !m_bUseYScale;
    EnableYScale(m_bUseYScale);
}

void CGraphOptionsDlg::OnUseXScale()
{
    m_bUseXScale = !m_bUseXScale;
    EnableXScale(m_bUseXScale);
}

void CGraphOptionsDlg::RememberScaleText(int field)
{
    m_strAccepted[field] = m_scaleEdits[field].GetWindowText();
    m_scaleEdits[field].GetSel(m_nAcceptedStart[field], m_nAcceptedEnd[field]);
}

// A change that fails the typing rules is taken back whole, with one beep
// and at most one message, however many characters it brought.
void CGraphOptionsDlg::OnScaleUpdate(UINT nID)
{
    int field = ScaleField(nID);
    if (m_bQuiet || field < 0 || !m_scaleEdits[field].m_hWnd)
        return;
    CFlagScope checking(m_bQuiet, true);
    char text[80];
    int n = ::GetWindowTextA(m_scaleEdits[field].m_hWnd, text, sizeof text);
    text[n > 0 ? n : 0] = '\0';
    CNumberValidator validator(&m_scaleEdits[field], text, NUMLIMIT_GENERAL);
    validator.AllowExponent(TRUE);
    validator.SetPreviousState(m_strAccepted[field], m_nAcceptedStart[field], m_nAcceptedEnd[field]);
    if (validator.CheckTyping())
        RememberScaleText(field);
}

void CGraphOptionsDlg::OnOK()
{
    if (!UpdateData(TRUE) || !CheckSettings())
        return;
    EndDialog(IDOK);
}

BOOL CGraphOptionsDlg::CheckSettings()
{
    if (m_nLineType == 0 && m_nPointType == 0) {
        AfxMessageBox(IDS_NO_PLOT, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    if (m_bUseYScale && !(m_dYMax > m_dYMin)) {
        AfxMessageBox(IDS_Y_MAX_NOT_GREATER, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    if (m_bUseXScale && !(m_dXMax > m_dXMin)) {
        AfxMessageBox(IDS_X_MAX_NOT_GREATER, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    if (m_bUseYScale && m_pDoc && (m_pDoc->m_yDataRange[1] > m_dYMax || m_pDoc->m_yDataRange[0] < m_dYMin))
        AfxMessageBox(IDS_Y_DATA_OUTSIDE, MB_OK | MB_ICONINFORMATION);
    if (m_bUseXScale && m_pDoc && (m_pDoc->m_xDataRange[1] > m_dXMax || m_pDoc->m_xDataRange[0] < m_dXMin))
        AfxMessageBox(IDS_X_DATA_OUTSIDE, MB_OK | MB_ICONINFORMATION);
    return TRUE;
}
