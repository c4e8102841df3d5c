#pragma once
// The seam through which tests answer what would otherwise wait for a person:
// message boxes, modal dialogs, file-name prompts, the printer-setup dialog and
// the help engine. The program never sets these; with a hook empty, the real
// Windows call is made.
#include <windows.h>
#include <commdlg.h>

#include <functional>

#include "framework/String.h"

class CDialog;

struct AfxUiHooks {
    // Called instead of MessageBox with the text, the MB_ flags and the
    // caption; returns the button id.
    std::function<int(const CString& text, UINT nType, const CString& caption)> messageBox;
    // Called once a modal dialog is shown, before its modal loop runs. The hook
    // may drive its controls, press its buttons or end it.
    std::function<void(CDialog* pDialog)> dialogShown;
    // Called instead of the common Open or Save As dialog; FALSE means cancelled.
    std::function<BOOL(CString& fileName, BOOL bOpen)> promptFileName;
    // Called instead of the printer-setup dialog: fills pd.hDevNames and
    // pd.hDevMode (which come set to the printer chosen so far, if any) as
    // the dialog would, or returns FALSE for Cancel.
    std::function<BOOL(PRINTDLGA& pd)> printSetup;
    // Called instead of the print dialog (and, for a preview without a
    // printer chosen in Print Setup, instead of asking for the default
    // printer): fills pd.hDC, or returns FALSE for Cancel. pd.hDevNames and
    // pd.hDevMode come set to the printer chosen so far, if any.
    std::function<BOOL(PRINTDLGA& pd)> printDialog;
    // Called instead of the help engine with the help file, command and data.
    std::function<void(const CString& helpFile, UINT nCmd, ULONG_PTR dwData)> winHelp;
    // Called instead of asking the system whether it shows HTML Help files.
    std::function<bool()> htmlHelpAvailable;
    // Called instead of HtmlHelp with the file (and "::/page"), the HH_
    // command and no data; returns whether a help window opened.
    std::function<bool(const CString& target, UINT nCmd)> htmlHelp;
    // Called instead of TrackPopupMenu with the menu and the owner; returns
    // the id of the item to pick (sent to the owner as WM_COMMAND), or 0 to cancel.
    std::function<UINT(HMENU hMenu, HWND hOwner)> popupMenu;
    // Called instead of MessageBeep with the sound type.
    std::function<void(UINT nType)> messageBeep;
};

AfxUiHooks& AfxGetUiHooks();

// Tracks a pop-up menu at a screen point for hOwner, which receives the picked
// command as WM_COMMAND; tests pick through the popupMenu hook.
void AfxTrackPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, HWND hOwner);
// A warning sound; tests count them through the messageBeep hook.
void AfxMessageBeep(UINT nType);
