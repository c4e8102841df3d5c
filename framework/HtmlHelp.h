#pragma once
// HTML Help (hhctrl.ocx), bound at run time: the program imports nothing of
// it, so it starts where HTML Help is missing and then uses WinHelp.
#include <windows.h>

// Whether this system can show an HTML Help file: hhctrl.ocx loads with its
// HtmlHelpA, and the HTML engine it draws pages with (mshtml.dll) loads too.
// Wine without its HTML engine fails here and keeps to WinHelp.
bool AfxHtmlHelpAvailable();
// HtmlHelpA; null when hhctrl.ocx cannot be had.
HWND AfxHtmlHelp(HWND hCaller, const char* pszFile, UINT nCommand, ULONG_PTR dwData);
// Closes every help window HTML Help opened for the program, if it ever did.
void AfxCloseHtmlHelp();
