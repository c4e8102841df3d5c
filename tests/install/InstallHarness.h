#pragma once
// Runs the setup program inside the test process: the INSTALL dialog is fed
// targets from a list, message boxes are recorded and answered, Cancel can be
// pressed in the COPY dialog before a given file, and the Start Menu group
// goes to a DDE server of the test's own or, as shortcuts, into a Programs
// folder of the test's own.
#include <windows.h>

#include <ddeml.h>

#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/install/TestFiles.h"

struct InstallBox {
    HWND hOwner;
    std::string text;
    std::string caption;
    UINT type;
};

// The text each of the test source files holds.
std::string SourceContents(const char* fileName);
// Writes the installed files into folder.
void MakeSourceFiles(const std::string& folder);
// The installed files that exist in folder, in install order.
std::vector<std::string> InstalledFiles(const std::string& folder);

struct ShownDialog {
    std::string name;
    std::string caption;
    RECT rc;
};

// A DDE server on its own thread that answers execute commands with a
// positive acknowledgement, except the one with index failAt, and counts the
// conversations open with it.
class TestDdeServer {
public:
    TestDdeServer(const std::string& service, int failAt = -1);
    ~TestDdeServer();
    TestDdeServer(const TestDdeServer&) = delete;
    TestDdeServer& operator=(const TestDdeServer&) = delete;
    std::vector<std::string> Commands();
    int OpenConversations();

private:
    static HDDEDATA CALLBACK Callback(UINT uType, UINT uFmt, HCONV hConv, HSZ hsz1, HSZ hsz2,
                                      HDDEDATA hData, ULONG_PTR dwData1, ULONG_PTR dwData2);
    void Run(HANDLE hReady);
    HDDEDATA OnExecute(HDDEDATA hData);

    std::string m_service;
    int m_failAt;
    DWORD m_threadId = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::string> m_commands;
    int m_openConversations = 0;
};

class InstallRun {
public:
    // Files come from sourceDir; the group commands go to service, and
    // nothing is started when it does not answer; shortcuts go into
    // programs, WinHelp is the help viewer found.
    InstallRun(const std::string& sourceDir, const std::string& service);
    ~InstallRun();

    TempFolder programs;                  // the Programs folder for the group's shortcuts
    bool bHtmlHelp = false;               // what the help viewer check finds

    std::deque<std::string> targets;      // typed into each INSTALL dialog in turn; then Cancel
    std::deque<int> yesNoAnswers;         // answers to the quit question (IDYES when empty)
    std::vector<std::string> cancelBefore;  // Cancel is pressed in COPY before these files

    int Run();                            // InstallMain's exit code
    std::vector<InstallBox> boxes;
    std::vector<std::string> shownTargets;  // the edit's text each time INSTALL opened
    std::vector<ShownDialog> dialogs;       // each dialog as it opened
    HWND hCopyDlg = nullptr;

private:
    void TypeNextTarget(HWND hDlg);
    HWND m_hInstallDlg = nullptr;
};
