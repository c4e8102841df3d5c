#include "framework/HtmlHelp.h"

#include <htmlhelp.h>

namespace {

using HtmlHelpCall = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

const char kHelpControl[] = "hhctrl.ocx";

// A library of the system folder, by its full path: by its bare name it
// would be looked for beside the program first, where anyone may have left
// a file of that name.
HMODULE LoadSystemLibrary(const char* name)
{
    char folder[MAX_PATH];
    UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n + 1 + lstrlenA(name) >= MAX_PATH)
        return nullptr;
    lstrcatA(folder, "\\");
    lstrcatA(folder, name);
    return LoadLibraryA(folder);
}

// hhctrl.ocx stays loaded for the rest of the run once help was shown.
HtmlHelpCall HtmlHelpEntry(bool bLoad)
{
    HMODULE hModule = GetModuleHandleA(kHelpControl);
    if (!hModule && bLoad)
        hModule = LoadSystemLibrary(kHelpControl);
    // Through void*: GCC warns of a direct cast between function types.
    return hModule ? reinterpret_cast<HtmlHelpCall>(reinterpret_cast<void*>(GetProcAddress(hModule, "HtmlHelpA")))
                   : nullptr;
}

bool Loads(const char* library)
{
    HMODULE hModule = LoadSystemLibrary(library);
    if (hModule)
        FreeLibrary(hModule);
    return hModule != nullptr;
}

}  // namespace

bool AfxHtmlHelpAvailable()
{
    // No box asking for a disk if the system folder is on removable media.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    bool available = HtmlHelpEntry(true) && Loads("mshtml.dll");
    SetErrorMode(oldMode);
    return available;
}

HWND AfxHtmlHelp(HWND hCaller, const char* pszFile, UINT nCommand, ULONG_PTR dwData)
{
    HtmlHelpCall call = HtmlHelpEntry(true);
    return call ? call(hCaller, pszFile, nCommand, dwData) : nullptr;
}

void AfxCloseHtmlHelp()
{
    // Only where help was shown: closing must not load hhctrl.ocx at exit.
    if (HtmlHelpCall call = HtmlHelpEntry(false))
        call(nullptr, nullptr, HH_CLOSE_ALL, 0);
}
