#pragma once
// The seam through which tests answer what would otherwise wait for a person:
// the message boxes and the two dialogs, plus the places the program looks
// for its files, for the Program Manager and for the Start Menu, and the
// help viewer it finds. The program never sets these; with a hook empty,
// the real Windows call is made.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct InstallHooks {
    // Called instead of MessageBox with the owner, text, caption and MB_
    // flags; returns the button id.
    std::function<int(HWND hOwner, const std::string& text, const std::string& caption, UINT nType)> messageBox;
    // Called when a dialog ("INSTALL" or "COPY") has been initialised; the
    // hook may post messages to it.
    std::function<void(const char* dialogName, HWND hDlg)> dialogShown;
    // Called in the copy loop after the COPY dialog names a file, before the
    // waiting messages are handled.
    std::function<void(const char* fileName, HWND hCopyDlg)> beforeCopy;
    // Called instead of CopyFile (never overwriting) for each installed file;
    // a test makes a copy fail part way through with it.
    std::function<bool(const std::string& source, const std::string& destination)> copyFile;
    // The folder the files are copied from (ending in a backslash); empty
    // means the folder of the running program.
    std::string sourceDir;
    // The DDE service asked to make the group; empty means "PROGMAN".
    std::string ddeService;
    // The folder whose PROGMAN.EXE is started when the service does not
    // answer; empty means the system folder, then the Windows folder.
    std::string progManFolder;
    // The Programs folders the group's shortcuts may go into, tried in order,
    // when the shell's service makes no group; empty means the all-users
    // Programs folder, then the user's own.
    std::vector<std::string> programsFolders;
    // Tells whether HTML Help can show help on this system; empty means the
    // real check.
    std::function<bool()> hasHtmlHelp;
};

InstallHooks& InstallGetHooks();
