#pragma once
// CGridCtrl: the spreadsheet-like data grid. It shows the cells of a CGridData
// store (row 0 as column titles, column 0 as row numbers), scrolls them with
// two scroll bars while the headers stay, moves a current cell with the keys
// and the mouse, edits it in place with a CGridEdit, resizes columns by their
// header borders and adds and removes rows and columns from a menu of its own.
//
// The host's dialog template makes the window (class "GridControl"); the grid
// attaches to it with SubclassDlgItem, takes its settings and Initialize.
#include "framework/Gdi.h"
#include "framework/WordArray.h"
#include "framework/Wnd.h"

class CDC;
class CGridData;
class CGridEdit;

struct GridCell {
    int row;
    int column;
};

class CGridCtrl : public CWnd {
    DECLARE_DYNCREATE(CGridCtrl)

public:
    CGridCtrl();
    ~CGridCtrl() override;

    // Settings, written by the host before Initialize.
    CGridData* m_pData = nullptr;
    int m_nTopRowLimit = -1;
    bool m_bCanAddColumns = true;
    bool m_bCanSelectColumns = true;
    bool m_bAutoFitColumns = false;

    int m_nRows = 0;     // title row included
    int m_nColumns = 0;  // data columns

    void Initialize();
    void AddRow();
    void RemoveSelectedRow();
    void AddColumn();
    void RemoveSelectedColumn();
    void ShowGridMenu();
    // Moves the frame; neither scrolls nor checks the bounds.
    void SetCurrentCell(int nRow, int nColumn);
    void OpenEditor();
    void CloseEditor(BOOL bCommit);

    void RecalcLayout();
    // Empty for a cell scrolled off; neighbours overlap by one pixel.
    RECT GetCellRect(int nRow, int nColumn) const;
    GridCell CellFromPoint(int x, int y) const;
    bool IsHorzVisible(const RECT& rc) const { return !IsRectEmpty(&rc) && rc.right <= m_rcData.right; }
    bool IsVertVisible(const RECT& rc) const { return !IsRectEmpty(&rc) && rc.bottom <= m_rcData.bottom; }
    // Scrolls, if need be, until the cell is wholly shown.
    void EnsureVisible(int nRow, int nColumn);

    // Layout, read by tests and the editor.
    int m_nCharWidth = 0;
    int m_nLineHeight = 0;
    int m_nRowHeight = 0;
    int m_nTextOffset = 0;
    int m_nDefColWidth = 0;
    int m_nTotalWidth = 0;
    int m_nTotalHeight = 0;
    CWordArray m_colWidths;
    RECT m_rcClient = {};
    RECT m_rcData = {};
    int m_nVScroll = 0;
    int m_nHScroll = 0;
    int m_nVPage = 0;
    int m_nHPage = 0;
    int m_nVMax = 0;
    int m_nHMax = 0;
    bool m_bHorzLines = true;
    bool m_bVertLines = true;

    // Current cell and selection.
    int m_nCurRow = 1;
    int m_nCurCol = 1;
    bool m_bLastCell = false;
    RECT m_rcCurrent = {};
    int m_nSelRow = 0;
    int m_nSelCol = 0;
    RECT m_rcSelection = {};
    CString m_strSaved;
    CGridEdit* m_pEdit;

    // Column resizing.
    bool m_bDragging = false;
    int m_nDragColumn = 0;
    int m_nDragOrigin = 0;
    int m_nDragLimit = 0;
    int m_nGuideLeft = 0;
    int m_nGuideRight = 0;

    HFONT GetGridFont() const { return m_hFont; }
    COLORREF m_crCell = RGB(255, 251, 240);
    COLORREF m_crHeader;

    // Handed on by the editor: a navigation key as if pressed on the grid.
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

protected:
    void OnPaint();
    void OnHScroll(UINT nCode, UINT nPos, HWND hScrollBar);
    void OnVScroll(UINT nCode, UINT nPos, HWND hScrollBar);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT nMessage);
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    void OnLButtonDblClk(UINT nFlags, POINT point);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnContextMenu(HWND hWnd, POINT point);
    void OnCancelMode();
    void OnCaptureChanged(HWND hWnd);
    void OnAddRow() { AddRow(); }
    void OnRemoveRow();
    void OnAddColumn();
    void OnRemoveColumn();

private:
    // Initialize has run: input before it (the dialog shows the control
    // first) gets only the default processing.
    bool IsReady() const;
    void SetRowNumberWidth();
    void ComputeTotals();
    void FitColumns(int nBarWidth);
    void SetScrollBars();
    void SetBar(int nBar, int nMax, int nPage, int nPos);
    // Positions read with SIF_TRACKPOS, so that they pass 65535.
    int ThumbPosition(int nBar, UINT nPos) const;
    bool BarChange(int nBar, UINT nCode, UINT nPos, int& change) const;
    void ScrollHorz(int nChange);
    void ScrollVert(int nChange);
    int ColumnSpan(int nFirst, int nLast) const;
    void InvalidateFrame();
    void ClampCurrentCell();

    void UpdateCurrentRect();
    void DrawFrame(bool bDraw);
    void PlaceEditorOnCell();
    void MoveEditorToLayout();
    void PaintHeaders(CDC& dc, GridCell first, GridCell last);
    void PaintCells(CDC& dc, GridCell first, GridCell last);
    void PaintLines(CDC& dc, GridCell first, GridCell last);
    void PaintSelection(CDC& dc);

    void SelectCellAt(POINT point, bool bOpenEditor);
    int ColumnHeaderTest(POINT point, int& nBorder) const;
    int RowHeaderTest(POINT point) const;
    void EndRowSelection();
    void StartDrag(int nColumn, int nBorder);
    void InvertGuide(int x);
    void CancelDrag();
    void MoveCurrent(int nRow, int nColumn, UINT nScrollMsg, UINT nScrollCode, bool bVisible);
    bool StepKey(UINT nChar);
    bool JumpKey(UINT nChar, bool bCtrl);

    HFONT m_hFont = nullptr;
    CFont m_font;

    DECLARE_MESSAGE_MAP()
};
