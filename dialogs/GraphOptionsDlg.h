#pragma once
// CGraphOptionsDlg: how the graph looks — title and axis labels, markers,
// line, grid, the grid increments of each axis, and fixed scales. Each axis
// is either fixed (its two limit fields enabled) or automatic (its
// increments list enabled). The four limit fields are checked as they are
// typed; OK checks the whole in a fixed order, some checks only warning.
#include "framework/Dialog.h"
#include "framework/Edit.h"

class CDataExchange;
class CPlorDoc;

class CGraphOptionsDlg : public CDialog {
public:
    explicit CGraphOptionsDlg(CWnd* pParent = nullptr);

    // Members in this order.
    CPlorDoc* m_pDoc = nullptr;
    CString m_strTitle;
    CString m_strXLabel;
    CString m_strYLabel;
    int m_nPointType = -1;
    int m_nPointSize = -1;
    int m_nXIncrementIndex = -1;
    int m_nYIncrementIndex = -1;
    BOOL m_bGrid = 1;
    int m_nLineType = -1;
    int m_nLineSize = -1;
    BOOL m_bUseXScale = 0;
    BOOL m_bUseYScale = 0;
    int m_nSavedYIncrements = 0;
    int m_nSavedXIncrements = 0;
    double m_dYMin = 0.0;
    double m_dYMax = 0.0;
    double m_dXMin = 0.0;
    double m_dXMax = 0.0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnUseYScale();
    void OnUseXScale();
    void OnScaleUpdate(UINT nID);

private:
    void EnableYScale(BOOL bOn);
    void EnableXScale(BOOL bOn);
    void EnableAxis(const UINT (&fixedIds)[4], UINT listLabelId, UINT listId, int savedIncrements, BOOL bOn);
    // The OK checks after the exchange; FALSE keeps the dialog open.
    BOOL CheckSettings();
    void RememberScaleText(int field);

    // The four limit fields (Y minimum, Y maximum, X minimum, X maximum),
    // each with the last text that passed the typing check and its selection.
    CEdit m_scaleEdits[4];
    CString m_strAccepted[4];
    int m_nAcceptedStart[4] = {};
    int m_nAcceptedEnd[4] = {};
    // The dialog is writing its own fields, or checking one: no typing check.
    bool m_bQuiet = false;

    DECLARE_MESSAGE_MAP()
};
