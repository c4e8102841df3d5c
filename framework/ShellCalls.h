#pragma once
// The common dialogs (comdlg32) and the shell's dropped-file calls (shell32),
// bound when first called instead of when the program loads. Under Wine the
// two libraries cost about as long to load as all the rest of a start-up, and
// a user who only looks at a graph never needs them.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

// Each behaves as the Win32 call of its name. When the library or the call
// cannot be had, the dialogs return FALSE with AfxCommDlgExtendedError giving
// CDERR_INITIALIZATION, and AfxDragQueryFile returns 0.
// Loads comdlg32 on a thread of its own, for a program whose window is up:
// the first dialog or preview then finds it loaded.
void AfxLoadCommonDialogsAhead();

BOOL AfxGetOpenFileName(OPENFILENAMEA& ofn);
BOOL AfxGetSaveFileName(OPENFILENAMEA& ofn);
BOOL AfxPrintDlg(PRINTDLGA& pd);
DWORD AfxCommDlgExtendedError();
UINT AfxDragQueryFile(HDROP hDrop, UINT index, char* name, UINT size);
void AfxDragFinish(HDROP hDrop);
