#include "framework/ShellCalls.h"

#include <htmlhelp.h>

#include "framework/WideText.h"

namespace {

// A library of the system folder, by its full path: by its bare name one
// that is not among the system's known libraries (hhctrl.ocx) would be looked
// for beside the program first, where anyone may have left a file of that name.
HMODULE LoadSystemLibrary(const char* library)
{
    char path[MAX_PATH];
    UINT n = GetSystemDirectoryA(path, MAX_PATH);
    if (n == 0 || n + 1 + lstrlenA(library) >= MAX_PATH)
        return nullptr;
    lstrcatA(path, "\\");
    lstrcatA(path, library);
    // No box asking for a disk if the system folder is on removable media.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    HMODULE hModule = LoadLibraryA(path);
    SetErrorMode(oldMode);
    return hModule;
}

// The library stays loaded for the rest of the run once a call needed it.
FARPROC Bind(const char* library, const char* name)
{
    HMODULE hModule = GetModuleHandleA(library);
    if (!hModule)
        hModule = LoadSystemLibrary(library);
    return hModule ? GetProcAddress(hModule, name) : nullptr;
}

// The call named, looked up once; null when it cannot be had.
template <class Call>
Call Lookup(const char* library, const char* name)
{
    // Through void*: GCC warns of a direct cast between function types.
    return reinterpret_cast<Call>(reinterpret_cast<void*>(Bind(library, name)));
}

const char kDialogs[] = "comdlg32.dll";
const char kShell[] = "shell32.dll";
const char kHelpControl[] = "hhctrl.ocx";

using HtmlHelpCall = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

DWORD WINAPI LoadCommonDialogs(void*)
{
    // Kept loaded for the rest of the run, like the calls bound above. It
    // brings the common controls of the manifest's version 6 with it, whose
    // buttons and edits then stand in for user32's (current Windows loads
    // them on demand as well; Windows XP needs them loaded).
    LoadSystemLibrary(kDialogs);
    return 0;
}

template <class Call, class Record>
BOOL RunDialog(Call call, Record& record)
{
    return call ? call(&record) : FALSE;
}

HtmlHelpCall HtmlHelpEntry()
{
    static auto call = Lookup<HtmlHelpCall>(kHelpControl, "HtmlHelpW");
    return call;
}

}  // namespace

void AfxLoadCommonDialogsAhead()
{
    HANDLE hThread = CreateThread(nullptr, 0, &LoadCommonDialogs, nullptr, 0, nullptr);
    if (hThread)
        CloseHandle(hThread);
}

BOOL AfxGetOpenFileName(OPENFILENAMEW& ofn)
{
    static auto call = Lookup<BOOL(WINAPI*)(OPENFILENAMEW*)>(kDialogs, "GetOpenFileNameW");
    return RunDialog(call, ofn);
}

BOOL AfxGetSaveFileName(OPENFILENAMEW& ofn)
{
    static auto call = Lookup<BOOL(WINAPI*)(OPENFILENAMEW*)>(kDialogs, "GetSaveFileNameW");
    return RunDialog(call, ofn);
}

BOOL AfxPrintDlg(PRINTDLGA& pd)
{
    static auto call = Lookup<BOOL(WINAPI*)(PRINTDLGA*)>(kDialogs, "PrintDlgA");
    return RunDialog(call, pd);
}

DWORD AfxCommDlgExtendedError()
{
    static auto call = Lookup<DWORD(WINAPI*)()>(kDialogs, "CommDlgExtendedError");
    // Missing only when comdlg32 is, and with it the dialogs.
    if (!call)
        return CDERR_INITIALIZATION;
    return call();
}

UINT AfxDragQueryFile(HDROP hDrop, UINT index, wchar_t* name, UINT size)
{
    static auto call = Lookup<UINT(WINAPI*)(HDROP, UINT, wchar_t*, UINT)>(kShell, "DragQueryFileW");
    return call ? call(hDrop, index, name, size) : 0;
}

void AfxDragFinish(HDROP hDrop)
{
    static auto call = Lookup<void(WINAPI*)(HDROP)>(kShell, "DragFinish");
    if (call)
        call(hDrop);
}

bool AfxHtmlHelpAvailable()
{
    if (!HtmlHelpEntry())
        return false;
    HMODULE hEngine = LoadSystemLibrary("mshtml.dll");
    if (hEngine)
        FreeLibrary(hEngine);
    return hEngine != nullptr;
}

HWND AfxHtmlHelp(HWND hCaller, const char* pszFile, UINT nCommand, ULONG_PTR dwData)
{
    HtmlHelpCall call = HtmlHelpEntry();
    return call ? call(hCaller, pszFile ? AfxWide(pszFile).c_str() : nullptr, nCommand, dwData) : nullptr;
}

void AfxCloseHtmlHelp()
{
    // Only where help was shown: closing must not load hhctrl.ocx at exit.
    if (GetModuleHandleA(kHelpControl))
        AfxHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}
