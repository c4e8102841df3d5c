#include "tests/support/LayoutCheck.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string ClassOf(HWND hWnd)
{
    char name[64] = {};
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hWnd)
{
    char text[512] = {};
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// The size the control's text takes in its own font, on one line or
// broken into lines width wide: to the last column and row of ink, so a
// line's empty room above the capitals and below the baseline may be cut
// off without cutting a letter.
SIZE TextExtent(HWND hControl, const std::string& text, int width, bool bWrap)
{
    HDC hScreen = GetDC(hControl);
    HDC hdc = CreateCompatibleDC(hScreen);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(hControl, WM_GETFONT, 0, 0));
    HGDIOBJ hOldFont = SelectObject(hdc, hFont ? hFont : GetStockObject(SYSTEM_FONT));
    UINT format = bWrap ? DT_WORDBREAK : DT_SINGLELINE;
    RECT rc = { 0, 0, bWrap ? width : 0, 0 };
    DrawTextA(hdc, text.c_str(), -1, &rc, DT_CALCRECT | format);
    // Drawn again as wide as the control offers: at the narrower measured
    // width a line may break once more.
    rc.right = std::max<LONG>(rc.right, bWrap ? width : 0);
    int stride = rc.right + 1, rows = rc.bottom + 1;
    BITMAPINFO bmi = {};
    bmi.bmiHeader = { sizeof(BITMAPINFOHEADER), stride, -rows, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOldBitmap = SelectObject(hdc, hBitmap);
    PatBlt(hdc, 0, 0, stride, rows, WHITENESS);
    DrawTextA(hdc, text.c_str(), -1, &rc, format);
    GdiFlush();
    SIZE ink = { 0, 0 };
    const DWORD* pixels = static_cast<const DWORD*>(pBits);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < stride; ++x) {
            if ((pixels[y * stride + x] & 0xFFFFFF) != 0xFFFFFF) {
                ink.cx = std::max<LONG>(ink.cx, x + 1);
                ink.cy = std::max<LONG>(ink.cy, y + 1);
            }
        }
    }
    SelectObject(hdc, hOldBitmap);
    SelectObject(hdc, hOldFont);
    DeleteObject(hBitmap);
    DeleteDC(hdc);
    ReleaseDC(hControl, hScreen);
    return ink;
}

// Room the control needs beside its text: a check box's box, a button's edges.
int ExtraWidth(const std::string& cls, LONG style)
{
    if (cls != "Button")
        return 0;
    LONG type = style & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
        return GetSystemMetrics(SM_CXMENUCHECK) + 4;
    return type == BS_GROUPBOX ? 16 : 2 * GetSystemMetrics(SM_CXEDGE);
}

bool IsGroupBox(HWND hWnd)
{
    return ClassOf(hWnd) == "Button" && (GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Whether the control's text fits it; texts of edits and combo boxes are
// the user's, only their height is checked.
void CheckText(HWND hControl, std::vector<std::string>& problems)
{
    std::string cls = ClassOf(hControl), text = TextOf(hControl);
    LONG style = GetWindowLongA(hControl, GWL_STYLE);
    RECT rc;
    GetClientRect(hControl, &rc);
    if (cls == "Edit" || cls == "ComboBox") {
        SIZE one = TextExtent(hControl, "Xg", 0, false);
        if (one.cy > rc.bottom)
            problems.push_back(cls + " " + std::to_string(GetDlgCtrlID(hControl))
                               + " is lower than a line of its text");
        return;
    }
    if (text.empty() || (cls != "Static" && cls != "Button"))
        return;
    if (cls == "Static" && (style & SS_TYPEMASK) > SS_LEFTNOWORDWRAP)
        return;  // icons, pictures, frames
    bool bWrap = cls == "Static" ? (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP : (style & BS_MULTILINE) != 0;
    int room = rc.right - ExtraWidth(cls, style);
    SIZE need = TextExtent(hControl, text, room, bWrap);
    if (need.cx > room || (!IsGroupBox(hControl) && need.cy > rc.bottom))
        problems.push_back("\"" + text + "\" needs " + std::to_string(need.cx) + " x " + std::to_string(need.cy)
                           + ", has " + std::to_string(room) + " x " + std::to_string(rc.bottom));
}

std::vector<HWND> VisibleChildren(HWND hParent)
{
    std::vector<HWND> children;
    for (HWND h = GetWindow(hParent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (IsWindowVisible(h))
            children.push_back(h);
    }
    return children;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right
        && inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<std::string> LayoutProblems(HWND hDlg)
{
    std::vector<std::string> problems;
    RECT client;
    GetClientRect(hDlg, &client);
    MapWindowPoints(hDlg, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<HWND> children = VisibleChildren(hDlg);
    for (size_t i = 0; i < children.size(); ++i) {
        RECT a, b, both;
        GetWindowRect(children[i], &a);
        if (!Contains(client, a))
            problems.push_back("control " + std::to_string(GetDlgCtrlID(children[i])) + " leaves the window");
        for (size_t j = i + 1; j < children.size(); ++j) {
            GetWindowRect(children[j], &b);
            bool bFramed = (IsGroupBox(children[i]) && Contains(a, b)) || (IsGroupBox(children[j]) && Contains(b, a));
            if (IntersectRect(&both, &a, &b) && !bFramed)
                problems.push_back("controls " + std::to_string(GetDlgCtrlID(children[i])) + " and "
                                   + std::to_string(GetDlgCtrlID(children[j])) + " overlap");
        }
        CheckText(children[i], problems);
    }
    return problems;
}

int ScreenDpi()
{
    HDC hdc = GetDC(nullptr);
    int dpi = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(nullptr, hdc);
    return dpi;
}

std::string DpiScreenshotPath(const std::string& name)
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string screenshots = module;
    screenshots = screenshots.substr(0, screenshots.find_last_of('\\') + 1) + "screenshots";
    std::string folder = screenshots + "\\dpi" + std::to_string(ScreenDpi());
    CreateDirectoryA(screenshots.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name;
}


