// What plotra does when it starts on a large file, without the data: a window
// with plotra's menu, manifest and a view, the large-file warning, then the
// window shown. Timed by the start-up benchmark, it is the least such a start
// takes under Wine. Arguments are ignored.
#include <windows.h>

#include "app/resource.h"

namespace {

LRESULT CALLBACK FloorWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Graph Data shows a dialog; the benchmark waits for one and cancels it.
    if (message == WM_COMMAND && LOWORD(wParam) == ID_EDIT_GRAPH_DATA) {
        MessageBoxA(hWnd, "Graph Data", "Floor", MB_OK);
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FloorWndProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "WarningFloor";
    RegisterClassA(&wc);
    HMENU hMenu = LoadMenuA(hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    HWND hMain = CreateWindowA("WarningFloor", "Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, hMenu, hInstance, nullptr);
    RECT rc;
    GetClientRect(hMain, &rc);
    CreateWindowA("WarningFloor", "", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom, hMain, nullptr, hInstance,
                  nullptr);
    char text[256] = {};
    LoadStringA(hInstance, IDS_LARGE_FILE, text, sizeof text);
    MessageBoxA(hMain, text, "Floor", MB_OK | MB_ICONEXCLAMATION);
    ShowWindow(hMain, SW_SHOWDEFAULT);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
