#pragma once
// CGridEdit: the grid's in-place cell editor, a single-line edit control over
// the current cell. Every change of its text (typing, pasting, cutting,
// undoing) is checked as a number as it happens; Tab, Enter and the arrows
// leave the cell through the grid, Esc puts the old text back.
#include "framework/Edit.h"

class CGridCtrl;

class CGridEdit : public CEdit {
public:
    CGridEdit() = default;
    ~CGridEdit() override = default;

    CGridCtrl* m_pGrid = nullptr;
    int m_nRow = 0;  // the cell the editor was opened on
    int m_nColumn = 0;
    int m_nCharWidth = 0;
    int m_nRightLimit = 0;  // the editor never grows past this x
    RECT m_rcCell = {};
    int m_nGrowthLimit = 20;
    // Set while the editor is closing or rejecting input, when the focus
    // moves away and back without ending the edit.
    bool m_bClosing = false;
    bool m_bChecking = false;

    bool IsOpen() const { return m_hWnd && (GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE); }
    // Grows the editor by whole characters until its text leaves room for
    // one more, never past the right limit.
    void Widen();

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(HWND hNewWnd);
    void OnSetFocus(HWND hOldWnd);
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    void OnContextMenu(HWND hWnd, POINT point);
    LRESULT OnEditCommand(WPARAM, LPARAM) { return CheckedDefault(); }

private:
    // Default processing of the current message, then the number check of
    // the changed text; a refused change is undone.
    LRESULT CheckedDefault();
    // Pixels the editor lacks for its text and one more character.
    int MissingWidth();
    // Commits, hands the key to the grid and reopens on the new cell if asked.
    void Leave(UINT nKey, LPARAM keyData, bool bReopen);

    DECLARE_MESSAGE_MAP()
};
