#pragma once
// Runs the program inside the test process: a fresh application object per
// test, its message boxes recorded and answered, its modal dialogs and file
// prompts handed to the test, its help calls recorded, and everything closed
// again at the end.
#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/PlorApp.h"

class CDialog;
class CMainFrame;
class CPlorDoc;
class CPlorView;

struct RecordedBox {
    std::string text;
    UINT type;
    std::string caption;
};

struct RecordedHelp {
    std::string file;
    UINT command;
    ULONG_PTR data;

    bool operator==(const RecordedHelp& o) const { return file == o.file && command == o.command && data == o.data; }
};

inline std::ostream& operator<<(std::ostream& out, const RecordedHelp& help)
{
    return out << "{" << help.file << ", " << help.command << ", " << help.data << "}";
}

class AppHarness {
public:
    // The profile in the Windows folder the application starts with, private
    // to the tests; deleted first.
    static const char* const kProfileName;
    static std::string OldProfilePath();
    // The profile the application moves to in the tests' application-data
    // folder (which the harness makes APPDATA); deleted first as well.
    static std::string ProfilePath();
    static std::string AppDataFolder();

    AppHarness();
    ~AppHarness();
    AppHarness(const AppHarness&) = delete;
    AppHarness& operator=(const AppHarness&) = delete;

    // Creates the application object and runs InitInstance with cmdLine as the
    // text after the program name. Returns InitInstance's result.
    BOOL Start(const std::string& cmdLine = "");
    // Ends the application as the message loop would: closes the main window
    // (unmodified) and runs ExitInstance, which saves the profile.
    void Stop();

    CPlorApp& App() { return *m_app; }
    CMainFrame* Frame() const;
    CPlorDoc* Doc() const;
    CPlorView* View() const;

    // Sends a command to the main window, as a menu item would.
    void Command(UINT nID);
    // Dispatches whatever is queued for this thread (WM_QUIT is kept for Stop).
    void Pump();

    // Message boxes shown so far; answers are taken from the front of the
    // queue, and with the queue empty every box is answered with its first button.
    std::vector<RecordedBox> boxes;
    std::deque<int> answers;
    // Handlers for dialogs by template id; a dialog without one is cancelled.
    std::map<UINT, std::function<void(CDialog*)>> dialogs;
    // Answers for file prompts: the name to return, or empty to cancel.
    std::deque<std::string> fileNames;
    std::vector<RecordedHelp> helpCalls;       // WinHelp
    std::vector<RecordedHelp> htmlHelpCalls;   // HTML Help (data is 0)
    bool htmlHelpAvailable = false;  // what the system is taken to show
    bool htmlHelpOpens = true;       // whether an HTML Help call opens a window

private:
    std::unique_ptr<CPlorApp> m_app;
    bool m_bQuitPosted = false;
};

// A folder for the tests' files (with a space in its name), created if needed.
std::string TestFolder();
// Paths here are UTF-8, as the program keeps them.
// Writes bytes to a file in the test folder and returns its full path.
std::string WriteTestFile(const std::string& name, const std::string& bytes);
// Writes the bytes to the file at path; returns the path.
std::string WriteFileAt(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string ReadFileAt(const std::string& path);
// Prints and previews without showing the print dialog: on the printer
// chosen in Print Setup, or on the default (test) printer.
void UseDefaultPrinter();
