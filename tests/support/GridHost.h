#pragma once
// A grid in the Data to Graph dialog template, as the dialog will host it:
// the dialog is made modeless so that a test can drive the grid with
// messages, the grid is attached to the custom control, given its store and
// settings and initialized. Beeps, message boxes and the grid's menu are
// recorded and answered.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "framework/StringArray.h"
#include "grid/GridCtrl.h"
#include "grid/GridData.h"
#include "grid/GridEdit.h"
#include "grid/GridRows.h"
#include "tests/support/Screenshot.h"

struct GridSettings {
    int nTopRowLimit = 0;
    bool bCanAddColumns = false;
    bool bCanSelectColumns = false;
    bool bAutoFitColumns = true;
    int nColumns = 2;
};

struct MenuItem {
    UINT id;
    std::string text;
    bool grayed;
};

class GridHost {
public:
    // rows[0] is the title row. With no rows given, nDataRows rows "i 2*i".
    explicit GridHost(std::vector<std::string> rows, GridSettings settings = GridSettings());
    ~GridHost();
    GridHost(const GridHost&) = delete;
    GridHost& operator=(const GridHost&) = delete;

    static std::vector<std::string> NumberedRows(int nDataRows);

    HWND Dialog() const { return m_hDlg; }
    HWND Grid() const { return grid->m_hWnd; }
    HWND Editor() const { return grid->m_pEdit->m_hWnd; }
    std::string EditorText() const;
    std::string Cell(int nRow, int nColumn) const { return data.GetCellText(nRow, nColumn); }

    void Key(UINT vk, HWND hTarget = nullptr);
    void Char(char ch, HWND hTarget = nullptr);
    void Type(const std::string& text, HWND hTarget = nullptr);
    void Click(int x, int y, UINT msg = WM_LBUTTONDOWN);
    void Pump();
    // Pixels of the grid's client area as they are now, without a repaint.
    Picture ClientPixels() const;
    // Deletes the grid and the dialog now, in that order unless bDialogFirst.
    void Destroy(bool bDialogFirst = false);

    CStringArray rowStrings;
    CStringArrayRows rows{ &rowStrings };
    CGridData data;
    CGridCtrl* grid = nullptr;

    int beeps = 0;
    std::vector<std::string> boxes;
    std::deque<int> answers;
    std::vector<MenuItem> lastMenu;
    UINT menuPick = 0;

private:
    HWND m_hDlg = nullptr;
};

// Holds keys down in the thread's keyboard state while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys);
    ~HeldKeys();

private:
    BYTE m_saved[256];
};

// Counts pixels that differ between two pictures of the same size (-1 if not).
int CountDifferences(const Picture& a, const Picture& b);
