#pragma once
// The common dialogs (comdlg32), the shell's dropped-file calls (shell32) and
// HTML Help (hhctrl.ocx), bound when first called instead of when the program
// loads, from the system folder. Under Wine the first two cost about as long
// to load as all the rest of a start-up, and a user who only looks at a graph
// never needs them; HTML Help the program must run without.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

// Each behaves as the Win32 call of its name. When the library or the call
// cannot be had, the dialogs return FALSE with AfxCommDlgExtendedError giving
// CDERR_INITIALIZATION, and AfxDragQueryFile returns 0.
// Loads comdlg32 on a thread of its own, for a program whose window is up:
// the first dialog or preview then finds it loaded.
void AfxLoadCommonDialogsAhead();

BOOL AfxGetOpenFileName(OPENFILENAMEW& ofn);
BOOL AfxGetSaveFileName(OPENFILENAMEW& ofn);
BOOL AfxPrintDlg(PRINTDLGA& pd);
DWORD AfxCommDlgExtendedError();
UINT AfxDragQueryFile(HDROP hDrop, UINT index, wchar_t* name, UINT size);
void AfxDragFinish(HDROP hDrop);

// Whether this system can show an HTML Help file: hhctrl.ocx loads with its
// HtmlHelpW, and the HTML engine it draws pages with (mshtml.dll) loads too.
// Wine without its HTML engine fails here and keeps to WinHelp.
bool AfxHtmlHelpAvailable();
// HtmlHelpW, the file named in UTF-8; null when hhctrl.ocx cannot be had.
HWND AfxHtmlHelp(HWND hCaller, const char* pszFile, UINT nCommand, ULONG_PTR dwData);
// Closes every help window HTML Help opened for the program, if it ever did.
void AfxCloseHtmlHelp();
