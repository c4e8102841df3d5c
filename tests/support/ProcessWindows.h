#pragma once
// The visible top-level windows of another process, for the programs that
// start plotra.exe as a user would: its main window (the one with a menu)
// and a message box it shows.
#include <windows.h>

#include <cstring>

struct ProcessWindows {
    DWORD processId = 0;
    HWND hMain = nullptr;
    HWND hBox = nullptr;
};

inline BOOL CALLBACK CollectProcessWindow(HWND hWnd, LPARAM lParam)
{
    ProcessWindows* found = reinterpret_cast<ProcessWindows*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != found->processId || !IsWindowVisible(hWnd))
        return TRUE;
    char className[64] = {};
    GetClassNameA(hWnd, className, sizeof className);
    if (std::strcmp(className, "#32770") == 0)
        found->hBox = hWnd;
    else if (GetMenu(hWnd))
        found->hMain = hWnd;
    return TRUE;
}

inline ProcessWindows FindProcessWindows(DWORD processId)
{
    ProcessWindows found;
    found.processId = processId;
    EnumWindows(&CollectProcessWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}
