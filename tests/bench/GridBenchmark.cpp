// Prints the time of the grid's operations on 1,000,000 rows read from a
// document's data lines, in the Data to Graph template: Initialize, a full
// paint, Page Down, Ctrl+End and AddRow, with the number of row strings each
// one reads (a paint reads only the rows it shows). Windows build only; run
// on a display.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/resource.h"
#include "document/DataLineRows.h"
#include "grid/GridCtrl.h"
#include "grid/GridData.h"

namespace {

const int kRows = 1000000;

// The rows the Data to Graph dialog edits, read from a document's data lines,
// counting the strings read.
class CountingRows : public DataLineRows {
public:
    CountingRows(const TextLines& lines, int nLines) : DataLineRows(lines, nLines, '\t') {}
    mutable long reads = 0;
    const std::string& Row(int nIndex) const override
    {
        ++reads;
        return DataLineRows::Row(nIndex);
    }
};

INT_PTR CALLBACK HostProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

template <typename F>
void Measure(const char* what, CountingRows& rows, F step)
{
    rows.reads = 0;
    auto start = std::chrono::steady_clock::now();
    step();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-22s %8.3f ms  %6ld row reads\n", what, ms, rows.reads);
}

}  // namespace

int main()
{
    TextLines lines;
    lines.Reserve(kRows, 16 * static_cast<std::size_t>(kRows));
    for (int i = 1; i < kRows; ++i)
        lines.Add(std::to_string(i) + "\t" + std::to_string(i * 0.5));
    CountingRows rows(lines, kRows - 1);
    CGridData data;
    data.m_pRows = &rows;
    data.SetSize(kRows, 2);
    CGridCtrl* grid = new CGridCtrl;
    HWND hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_GRAPH_DATA), nullptr, HostProc, 0);
    grid->SubclassWindow(GetDlgItem(hDlg, IDC_GRID_CONTROL));
    grid->m_pData = &data;
    grid->m_nTopRowLimit = 0;
    grid->m_bCanAddColumns = false;
    grid->m_bCanSelectColumns = false;
    grid->m_bAutoFitColumns = true;
    ShowWindow(hDlg, SW_SHOW);
    Pump();
    std::printf("grid of %d rows in the Data to Graph template\n", kRows);
    Measure("Initialize", rows, [&] { grid->Initialize(); });
    SetFocus(grid->m_hWnd);
    Pump();
    Measure("full paint", rows, [&] {
        InvalidateRect(grid->m_hWnd, nullptr, TRUE);
        UpdateWindow(grid->m_hWnd);
    });
    Measure("Page Down", rows, [&] {
        SendMessageA(grid->m_hWnd, WM_KEYDOWN, VK_NEXT, 1);
        UpdateWindow(grid->m_hWnd);
    });
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Measure("Ctrl+End", rows, [&] {
        SendMessageA(grid->m_hWnd, WM_KEYDOWN, VK_END, 1);
        UpdateWindow(grid->m_hWnd);
    });
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    Measure("AddRow", rows, [&] { grid->AddRow(); });
    Measure("typing a digit", rows, [&] {
        SendMessageA(grid->m_hWnd, WM_CHAR, '7', 1);
        UpdateWindow(grid->m_hWnd);
    });
    std::printf("rows now %d, current row %d, first row shown %d\n", grid->m_nRows, grid->m_nCurRow,
                grid->m_nVScroll + 1);
    delete grid;
    DestroyWindow(hDlg);
    return 0;
}
