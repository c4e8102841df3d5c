// The Start Menu group, against a DDE server of the test's own that answers
// or refuses chosen commands, and a service nobody answers: the shortcuts
// that stand in for the shell, and the failure messages when they cannot.
#include <gtest/gtest.h>

#include <algorithm>

#include "install/Install.h"
#include "install/InstallHooks.h"
#include "install/InstallRules.h"
#include "tests/install/InstallHarness.h"

namespace {

const char* const kGeneralFailure =
    "Problem adding application(s) to Windows Start Menu...\r\n\r\nRun Install again after re-starting Windows...";

// A window of the Program Manager's class, which the setup program keeps
// disabled while its commands run.
HWND CreateShellWindow()
{
    WNDCLASSA wc = { 0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, "PROGMAN" };
    RegisterClassA(&wc);
    return CreateWindowA("PROGMAN", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
}

struct DdeCase {
    int failAt;                 // the refused command, -1 for no server at all
    const char* firstText;      // the first of the two boxes
    size_t commandsSent;
};

// A Programs folder in which the group's folder cannot be made: a file has its name.
void BlockGroupFolder(const std::string& programs)
{
    WriteAll(programs + "\\Plotra", "not a folder");
}

// The shortcuts of the group in programs: exactly one per item, each
// pointing at the item's installed file and started in the target folder.
void ExpectShortcuts(const std::string& programs, const std::string& target, const char* helpFile)
{
    std::string group = programs + "\\Plotra";
    std::vector<std::string> links = FilesIn(group);
    std::sort(links.begin(), links.end());
    EXPECT_EQ((std::vector<std::string>{ "Documentation.lnk", "Plotra Help.lnk", "Plotra Line Graphs.lnk" }), links);
    const ProgramItem items[] = { { "plotra.exe", "Plotra Line Graphs" }, { helpFile, "Plotra Help" },
                                  { "readme.txt", "Documentation" } };
    for (const ProgramItem& item : items) {
        Shortcut shortcut;
        EXPECT_TRUE(ReadShortcut(group + "\\" + item.title + ".lnk", shortcut)) << item.title;
        EXPECT_EQ(target + "\\" + item.fileName, shortcut.path) << item.title;
        EXPECT_EQ(target, shortcut.workingDir) << item.title;
    }
}

}  // namespace

TEST(InstallGroup, ShortcutsStandInSilentlyWhenTheShellIsSilentOrRefuses)
{
    const int kSilent = -2, kAnswers = -1;  // else the index of the refused command
    struct {
        int shell;
        bool bHtmlHelp;
        bool bAllUsersBlocked;  // the first Programs folder cannot take the group
        const char* helpFile;
    } const cases[] = {
        /* 0 */ { kAnswers, true, false, "plotra.chm" },  // with WinHelp: the install test
        /* 1 */ { kSilent, false, false, "plotra.hlp" },
        /* 2 */ { kSilent, true, true, "plotra.chm" },
        /* 3 */ { 0, true, false, "plotra.chm" },   // the group refused
        /* 4 */ { 3, false, true, "plotra.hlp" },   // the last item refused
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        TempFolder work("group");
        std::string source = work / "source", target = work / "target", allUsers = work / "all users";
        CreateDirectoryA(source.c_str(), nullptr);
        CreateDirectoryA(allUsers.c_str(), nullptr);
        MakeSourceFiles(source);
        std::unique_ptr<TestDdeServer> server;
        if (cases[i].shell != kSilent)
            server = std::make_unique<TestDdeServer>("PLOTRA_TEST_PM", cases[i].shell);
        InstallRun run(source, server ? "PLOTRA_TEST_PM" : "PLOTRA_NOBODY");
        run.bHtmlHelp = cases[i].bHtmlHelp;
        if (cases[i].bAllUsersBlocked) {
            BlockGroupFolder(allUsers);
            InstallGetHooks().programsFolders = { allUsers, run.programs.Path() };
        }
        run.targets = { target };
        EXPECT_EQ(kExitDone, run.Run());
        ASSERT_EQ(1u, run.boxes.size());
        EXPECT_EQ("Installation is complete", run.boxes[0].text);
        if (cases[i].shell == kAnswers) {
            ASSERT_EQ(4u, server->Commands().size());
            EXPECT_EQ("[AddItem(\"" + target + "\\" + cases[i].helpFile + "\",\"Plotra Help\")]",
                      server->Commands()[2]);
            EXPECT_FALSE(Exists(run.programs / "Plotra")) << "shortcuts made beside the shell's group";
        } else {
            ExpectShortcuts(run.programs.Path(), target, cases[i].helpFile);
        }
        if (server && cases[i].shell >= 0) {
            EXPECT_EQ(size_t(cases[i].shell) + 1, server->Commands().size());
        }
    }
}

TEST(InstallDde, WithoutShortcutsEitherEachFailureShowsItsMessageAfterLettingTheShellGoThenTheGeneralOne)
{
    const DdeCase cases[] = {
        /* 0 */ { -1, "Windows is busy. Please run Install again!", 0 },
        /* 1 */ { 0, "Could not make main menu item!", 1 },
        /* 2 */ { 2, "Could not add sub-menu items!", 3 },  // stops at the first refused item
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        TempFolder work("dde");
        CreateDirectoryA((work / "source").c_str(), nullptr);
        MakeSourceFiles(work / "source");
        std::unique_ptr<TestDdeServer> server;
        if (cases[i].failAt >= 0)
            server = std::make_unique<TestDdeServer>("PLOTRA_TEST_PM", cases[i].failAt);
        InstallRun run(work / "source", cases[i].failAt >= 0 ? "PLOTRA_TEST_PM" : "PLOTRA_NOBODY");
        BlockGroupFolder(run.programs.Path());
        run.targets = { work / "target" };
        HWND hShell = CreateShellWindow();
        // Each box comes with the shell's window enabled and the conversation closed.
        auto recordBox = InstallGetHooks().messageBox;
        InstallGetHooks().messageBox = [&](HWND hOwner, const std::string& text, const std::string& caption,
                                           UINT type) {
            EXPECT_TRUE(IsWindowEnabled(hShell)) << text;
            EXPECT_EQ(0, server ? server->OpenConversations() : 0) << text;
            return recordBox(hOwner, text, caption, type);
        };
        EXPECT_EQ(kExitGroupFailed, run.Run());
        EXPECT_EQ(server != nullptr, IsWindowVisible(hShell) != FALSE);  // restored when the service answered
        DestroyWindow(hShell);
        ASSERT_EQ(2u, run.boxes.size());
        EXPECT_EQ(cases[i].firstText, run.boxes[0].text);
        EXPECT_EQ(MB_OK | MB_ICONEXCLAMATION, run.boxes[0].type);
        EXPECT_EQ(kGeneralFailure, run.boxes[1].text);
        EXPECT_EQ("DDE Error", run.boxes[1].caption);
        if (server) {
            EXPECT_EQ(cases[i].commandsSent, server->Commands().size());
        }
        EXPECT_EQ(size_t(kInstallFileCount), InstalledFiles(work / "target").size());
    }
}

TEST(InstallDde, StartsTheProgramManagerOnceAndOnlyFromTheSystemFolder)
{
    struct {
        const char* service;      // what the setup program asks for
        const char* servedName;   // what the started program serves
        int exitCode;
        const char* lastBox;
    } const cases[] = {
        /* 0 */ { "PLOTRA_LATE_PM", "PLOTRA_LATE_PM", kExitDone, "Installation is complete" },
        // No second start; the shortcuts make the group.
        /* 1 */ { "PLOTRA_LATE_PM1", "PLOTRA_OTHER_PM", kExitDone, "Installation is complete" },
    };
    // The stand-in program is built beside the test program.
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string helper = module;
    helper = helper.substr(0, helper.find_last_of('\\')) + "\\dde_test_server.exe";
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        TempFolder work("late");
        CreateDirectoryA((work / "source").c_str(), nullptr);
        MakeSourceFiles(work / "source");
        // One stand-in where the setup program is told the system folder is,
        // one in the target, which becomes the current folder: it must not run.
        std::string system = work / "system", target = work / "target";
        for (const std::string& folder : { system, target }) {
            CreateDirectoryA(folder.c_str(), nullptr);
            ASSERT_TRUE(CopyFileA(helper.c_str(), (folder + "\\PROGMAN.EXE").c_str(), FALSE));
        }
        SetEnvironmentVariableA("PLOTRA_TEST_SERVICE", cases[i].servedName);
        InstallRun run(work / "source", cases[i].service);
        InstallGetHooks().progManFolder = system;
        run.targets = { target };
        EXPECT_EQ(cases[i].exitCode, run.Run());
        ASSERT_FALSE(run.boxes.empty());
        EXPECT_EQ(cases[i].lastBox, run.boxes.back().text);
        EXPECT_EQ("started\n", ReadAll(system + "\\started.log"));
        EXPECT_FALSE(Exists(target + "\\started.log")) << "the PROGMAN.EXE of the current folder ran";
        // A stand-in still serving holds its file: wait until it has ended.
        for (DWORD start = GetTickCount(); !DeleteFileA((system + "\\PROGMAN.EXE").c_str())
             && GetTickCount() - start < 10000;)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    SetEnvironmentVariableA("PLOTRA_TEST_SERVICE", nullptr);
}
