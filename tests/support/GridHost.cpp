#include "tests/support/GridHost.h"

#include <cstring>

#include "app/resource.h"
#include "framework/UiHooks.h"

namespace {

INT_PTR CALLBACK HostProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

int FirstButton(UINT type)
{
    return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

}  // namespace

std::vector<std::string> GridHost::NumberedRows(int nDataRows)
{
    std::vector<std::string> rows;
    rows.reserve(nDataRows + 1);
    rows.push_back("X Y");
    for (int i = 1; i <= nDataRows; ++i)
        rows.push_back(std::to_string(i) + "\t" + std::to_string(2 * i));
    return rows;
}

GridHost::GridHost(std::vector<std::string> text, GridSettings settings)
{
    AfxUiHooks& hooks = AfxGetUiHooks();
    hooks.messageBeep = [this](UINT) { ++beeps; };
    hooks.messageBox = [this](const CString& text, UINT type, const CString&) {
        boxes.push_back(text.str());
        if (answers.empty())
            return FirstButton(type);
        int answer = answers.front();
        answers.pop_front();
        return answer;
    };
    hooks.popupMenu = [this](HMENU hMenu, HWND) {
        lastMenu.clear();
        for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
            char buffer[64] = {};
            GetMenuStringA(hMenu, i, buffer, sizeof buffer, MF_BYPOSITION);
            UINT state = GetMenuState(hMenu, i, MF_BYPOSITION);
            lastMenu.push_back({ GetMenuItemID(hMenu, i), buffer, (state & MF_GRAYED) != 0 });
        }
        return menuPick;
    };
    rowStrings.SetSize(static_cast<int>(text.size()), 32);
    for (size_t i = 0; i < text.size(); ++i)
        rowStrings.SetAt(static_cast<int>(i), CString(text[i]));
    data.m_pRows = &rows;
    data.SetSize(rowStrings.GetSize(), settings.nColumns);
    // The window class exists once the grid object does.
    grid = new CGridCtrl;
    m_hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_GRAPH_DATA), nullptr, HostProc, 0);
    grid->SubclassWindow(GetDlgItem(m_hDlg, IDC_GRID_CONTROL));
    grid->m_pData = &data;
    grid->m_nTopRowLimit = settings.nTopRowLimit;
    grid->m_bCanAddColumns = settings.bCanAddColumns;
    grid->m_bCanSelectColumns = settings.bCanSelectColumns;
    grid->m_bAutoFitColumns = settings.bAutoFitColumns;
    ShowWindow(m_hDlg, SW_SHOW);
    SetForegroundWindow(m_hDlg);
    SetActiveWindow(m_hDlg);
    grid->Initialize();
    SetFocus(grid->m_hWnd);
    Pump();
}

GridHost::~GridHost()
{
    Destroy();
    AfxGetUiHooks() = AfxUiHooks();
}

void GridHost::Destroy(bool bDialogFirst)
{
    if (bDialogFirst && m_hDlg) {
        DestroyWindow(m_hDlg);
        m_hDlg = nullptr;
    }
    delete grid;
    grid = nullptr;
    if (m_hDlg)
        DestroyWindow(m_hDlg);
    m_hDlg = nullptr;
    Pump();
}

std::string GridHost::EditorText() const
{
    char buffer[300] = {};
    GetWindowTextA(Editor(), buffer, sizeof buffer);
    return buffer;
}

void GridHost::Key(UINT vk, HWND hTarget)
{
    SendMessageA(hTarget ? hTarget : GetFocus(), WM_KEYDOWN, vk, 1);
    Pump();
}

void GridHost::Char(char ch, HWND hTarget)
{
    SendMessageA(hTarget ? hTarget : GetFocus(), WM_CHAR, static_cast<unsigned char>(ch), 1);
    Pump();
}

void GridHost::Type(const std::string& text, HWND hTarget)
{
    // The first character goes to hTarget, the rest where the focus then is.
    for (size_t i = 0; i < text.size(); ++i)
        Char(text[i], i == 0 ? hTarget : nullptr);
}

void GridHost::Click(int x, int y, UINT msg)
{
    SendMessageA(Grid(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    Pump();
}

void GridHost::Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

Picture GridHost::ClientPixels() const
{
    UpdateWindow(Grid());
    return ReadWindowPixels(Grid(), true);
}

HeldKeys::HeldKeys(std::initializer_list<int> keys)
{
    GetKeyboardState(m_saved);
    BYTE state[256];
    std::memcpy(state, m_saved, sizeof state);
    for (int key : keys)
        state[key] = 0x80;
    SetKeyboardState(state);
}

HeldKeys::~HeldKeys()
{
    SetKeyboardState(m_saved);
}

int CountDifferences(const Picture& a, const Picture& b)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    int n = 0;
    for (size_t i = 0; i < a.rgb.size(); i += 3)
        n += a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2];
    return n;
}
