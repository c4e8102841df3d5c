#pragma once
// CGraphDataDlg: the Data to Graph dialog, where the X-Y pairs are typed into
// the grid. The document hands it the data lines as row strings; the grid
// edits them in place. OK refuses fewer than two rows and empty cells; Enter
// and Escape belong to the grid, never to the dialog's buttons.
#include "framework/Dialog.h"
#include "framework/StringArray.h"
#include "grid/GridRows.h"

class CGridCtrl;

class CGraphDataDlg : public CDialog {
public:
    explicit CGraphDataDlg(CWnd* pParent = nullptr);
    ~CGraphDataDlg() override;

    // Members in this order.
    int m_bDataChanged = 0;
    CGridCtrl* m_pGrid;
    CGridData* m_pGridData;
    CStringArray m_rowStrings;
    int m_nRows = 0;
    int m_nColumns = 2;
    char m_chSeparator = ',';
    // When set, the rows the grid edits instead of m_rowStrings (a long data
    // text is shown without a copy of every line).
    GridRowList* m_pRowList = nullptr;

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnOptions();
    // Nonzero when the dialog must stay open: too few rows, an empty cell,
    // or a number left unfinished in a cell changed here (the cell then
    // becomes the grid's current cell).
    int CheckCells();

private:
    // The cell store's view of m_rowStrings.
    CStringArrayRows m_rowView{ &m_rowStrings };

    DECLARE_MESSAGE_MAP()
};
