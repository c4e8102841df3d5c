#pragma once
// The Start Menu group of the installed program: asked of the shell's
// Program Manager service, else made as a folder of shortcuts.
#include <windows.h>

#include <string>

// One of the Windows folders, given by GetSystemDirectory or
// GetWindowsDirectory; empty when it does not fit.
std::string WindowsFolder(UINT(WINAPI* getFolder)(LPSTR, UINT));

// True when HTML Help can show help here: its control loads and offers
// HtmlHelpA, and the HTML engine it draws with loads too.
bool HasHtmlHelp();
// Makes the "Plotra" group with its three items; false after telling the
// user why not.
bool AddProgramItems();
