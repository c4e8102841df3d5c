// CGridCtrl: the row and column commands and the grid's menu.
#include "grid/GridCtrl.h"

#include "framework/UiHooks.h"
#include "framework/WinApp.h"
#include "grid/GridData.h"
#include "grid/GridEdit.h"
#include "grid/GridResource.h"

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CONTEXTMENU()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_COMMAND(ID_GRID_ADD_COLUMN, OnAddColumn)
    ON_COMMAND(ID_GRID_ADD_ROW, OnAddRow)
    ON_COMMAND(ID_GRID_REMOVE_ROW, OnRemoveRow)
    ON_COMMAND(ID_GRID_REMOVE_COLUMN, OnRemoveColumn)
END_MESSAGE_MAP()

void CGridCtrl::OnContextMenu(HWND, POINT)
{
    ShowGridMenu();
}

void CGridCtrl::ShowGridMenu()
{
    HMENU hMenu = CreatePopupMenu();
    if (!hMenu)
        return;
    if (m_bCanAddColumns)
        AppendMenuA(hMenu, MF_STRING, ID_GRID_ADD_COLUMN, "Add New &Column");
    // The last remaining column cannot go: a row always keeps one field.
    if (m_nSelCol || m_bCanSelectColumns)
        AppendMenuA(hMenu, MF_STRING | (m_nSelCol && m_nColumns > 1 ? 0 : MF_GRAYED), ID_GRID_REMOVE_COLUMN,
                    "Remove &Selected Column");
    AppendMenuA(hMenu, MF_STRING, ID_GRID_ADD_ROW, "Add New &Row");
    AppendMenuA(hMenu, MF_STRING | (m_nSelRow ? 0 : MF_GRAYED), ID_GRID_REMOVE_ROW, "&Remove Selected Row");
    // At the first data cell, wherever the mouse is.
    POINT point = { m_colWidths.GetSize() ? m_colWidths[0] : 0, m_nRowHeight };
    ClientToScreen(&point);
    AfxTrackPopupMenu(hMenu, TPM_RIGHTBUTTON, point.x, point.y, m_hWnd);
    SetFocus();
    DestroyMenu(hMenu);
}

void CGridCtrl::AddRow()
{
    m_pData->AddRow();
    ++m_nRows;
    SetRowNumberWidth();
    RecalcLayout();
}

void CGridCtrl::OnRemoveRow()
{
    if (m_nSelRow)
        RemoveSelectedRow();
}

void CGridCtrl::RemoveSelectedRow()
{
    if (!m_nSelRow || m_nRows <= 2)
        return;
    CString question;
    question.Format("Do you want to remove all data in Row %d?", m_nSelRow);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    if (m_nRows == m_nCurRow + 1)
        SetCurrentCell(m_nCurRow - 1, m_nCurCol);
    m_pData->RemoveRow(m_nSelRow);
    --m_nRows;
    SetRowNumberWidth();
    m_nSelRow = 0;
    RecalcLayout();
    AfxMessageBox("All Rows have been renumbered.", MB_OK | MB_ICONINFORMATION);
}

void CGridCtrl::OnAddColumn()
{
    if (m_bCanAddColumns)
        AddColumn();
}

void CGridCtrl::AddColumn()
{
    m_pData->AddColumn();
    ++m_nColumns;
    m_colWidths.SetAtGrow(m_nColumns, static_cast<WORD>(m_nDefColWidth));
    RecalcLayout();
}

void CGridCtrl::OnRemoveColumn()
{
    if (m_nSelCol)
        RemoveSelectedColumn();
}

void CGridCtrl::RemoveSelectedColumn()
{
    if (!m_nSelCol || m_nColumns <= 1)
        return;
    CString question;
    question.Format("Do you want to remove all data in Column '%s'?", m_pData->GetCellText(0, m_nSelCol).c_str());
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    m_pData->RemoveColumn(m_nSelCol);
    --m_nColumns;
    SetRowNumberWidth();
    // The current cell may have been the column that went.
    if (m_nCurCol > m_nColumns)
        m_nCurCol = m_nColumns;
    RecalcLayout();
    m_nSelCol = 0;
    InvalidateRect(&m_rcSelection, FALSE);
}
