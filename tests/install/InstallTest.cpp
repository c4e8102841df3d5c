// The setup program's dialogs, checks and copy loop, run inside the test
// process with its boxes and dialogs answered through its hooks.
#include <gtest/gtest.h>

#include "install/Install.h"
#include "install/InstallHooks.h"
#include "install/InstallRules.h"
#include "tests/install/InstallHarness.h"
#include "tests/support/LayoutCheck.h"
#include "tests/support/Screenshot.h"

namespace {

const char* const kService = "PLOTRA_TEST_PM";

void ExpectBox(const InstallBox& box, const std::string& text, const std::string& caption, UINT type)
{
    EXPECT_EQ(text, box.text);
    EXPECT_EQ(caption, box.caption);
    EXPECT_EQ(type, box.type) << text;
}

class InstallTest : public testing::Test {
protected:
    InstallTest() : m_work("install")
    {
        CreateDirectoryA(Source().c_str(), nullptr);
        MakeSourceFiles(Source());
    }
    std::string Source() const { return m_work / "source"; }
    std::string Target() const { return m_work / "target"; }
    // The source's files as ordinary writable files, whatever the source's flags.
    void ExpectInstalledCopies(const std::string& folder)
    {
        for (const char* name : g_installFiles) {
            EXPECT_EQ(SourceContents(name), ReadAll(folder + "\\" + name)) << name;
            EXPECT_EQ(0u, GetFileAttributesA((folder + "\\" + name).c_str()) & FILE_ATTRIBUTE_READONLY) << name;
        }
    }
    void SetReadOnly(const std::string& folder)
    {
        for (const char* name : g_installFiles)
            SetFileAttributesA((folder + "\\" + name).c_str(), FILE_ATTRIBUTE_READONLY);
    }

    TempFolder m_work;
};

}  // namespace

TEST_F(InstallTest, InstallsTheSevenFilesAndHasTheShellMakeTheGroup)
{
    TestDdeServer server(kService);
    InstallRun run(Source(), kService);
    run.targets = { Target() + "\\\\" };  // trailing backslashes are dropped
    EXPECT_EQ(kExitDone, run.Run());

    EXPECT_EQ((std::vector<std::string>{ kDefaultTarget }), run.shownTargets);
    ASSERT_EQ(2u, run.dialogs.size());
    for (const ShownDialog& dialog : run.dialogs) {
        // Centred across, a third of the free height down, with the program's title.
        SCOPED_TRACE(dialog.name);
        const RECT& rc = dialog.rc;
        EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2, rc.left);
        EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 3, rc.top);
        EXPECT_EQ("Plotra Line Graphs", dialog.caption);
    }
    ExpectInstalledCopies(Target());
    ASSERT_EQ(1u, run.boxes.size());
    ExpectBox(run.boxes[0], "Installation is complete", "Plotra Line Graphs", MB_OK);
    std::string folder = Target() + "\\";
    EXPECT_EQ((std::vector<std::string>{
                  "[CreateGroup(\"Plotra\")]",
                  "[AddItem(\"" + folder + "plotra.exe\",\"Plotra Line Graphs\")]",
                  "[AddItem(\"" + folder + "plotra.hlp\",\"Plotra Help\")]",
                  "[AddItem(\"" + folder + "readme.txt\",\"Documentation\")]",
              }),
              server.Commands());
    EXPECT_FALSE(Exists(run.programs / "Plotra")) << "shortcuts made beside the shell's group";
}

TEST_F(InstallTest, ReinstallFromAReadOnlySourceReplacesReadOnlyCopiesAndSendsTheCommandsAgain)
{
    TestDdeServer server(kService);
    SetReadOnly(Source());  // as on a CD
    {
        InstallRun first(Source(), kService);
        first.targets = { Target() };
        ASSERT_EQ(kExitDone, first.Run());
        ExpectInstalledCopies(Target());
    }
    WriteAll(Target() + "\\readme.txt", "changed by the user");
    SetReadOnly(Target());  // as an older setup program left them
    InstallRun second(Source(), kService);
    second.targets = { Target() };
    EXPECT_EQ(kExitDone, second.Run());
    ExpectInstalledCopies(Target());
    EXPECT_EQ(8u, server.Commands().size());
}

TEST_F(InstallTest, RefusesBadTargetsWithTheDialogKeptOpen)
{
    struct {
        std::string target;
        const char* text;
    } const cases[] = {
        /* 0 */ { "", "Drive letter incorrect !" },
        /* 1 */ { "Q:\\Plotra", "Drive letter incorrect !" },  // no drive Q: in the test prefix
        /* 2 */ { "R:\\Plotra", "Drive letter incorrect !" },  // the test prefix's CD-ROM
        /* 3 */ { "1:\\", "Drive letter incorrect !" },
        /* 4 */ { "C;\\x", "Missing ':' !" },
        /* 5 */ { "C", "Missing ':' !" },
        /* 6 */ { "C:x", "Missing '\\' !" },
        /* 7 */ { "C:/x", "Missing '\\' !" },
        /* 8 */ { "C:", "Missing '\\' !" },
    };
    // scripts/common.sh (prepare_cdrom_drive) declares R: as a CD-ROM.
    EXPECT_EQ(static_cast<UINT>(DRIVE_CDROM), GetDriveTypeA("R:\\"));
    InstallRun run(Source(), kService);
    for (const auto& row : cases)
        run.targets.push_back(row.target);
    // After the last refusal the hook presses Cancel in the same dialog.
    EXPECT_EQ(kExitDone, run.Run());
    EXPECT_EQ(1u, run.shownTargets.size());
    ASSERT_EQ(sizeof cases / sizeof cases[0], run.boxes.size());
    for (size_t i = 0; i < run.boxes.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i) + ": " + cases[i].target);
        ExpectBox(run.boxes[i], cases[i].text, "Data Entry", MB_OK | MB_ICONEXCLAMATION);
        EXPECT_NE(nullptr, run.boxes[i].hOwner);
    }
}

// A letter the code page lacks is refused; its look-alike (Windows' default
// conversion makes "Żółw" "Zólw") never names a folder instead.
TEST_F(InstallTest, TargetTheCodePageCannotHoldIsRefusedWithTheDialogKeptOpen)
{
    InstallRun run(Source(), kService);
    run.targets = { m_work / "\xC5\xBB\xC3\xB3\xC5\x82w" };  // "Żółw" in UTF-8
    EXPECT_EQ(kExitDone, run.Run());
    EXPECT_EQ(1u, run.shownTargets.size());
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_EQ(0u, run.boxes[0].text.find("Cannot create directory " + (m_work / "")));
    EXPECT_EQ("Drive", run.boxes[0].caption);
    EXPECT_FALSE(Exists(m_work / "Z\xF3lw"));  // the look-alike, in the code page
    EXPECT_FALSE(Exists(m_work / "Zolw"));
}

// A target is taken only where the code page holds it exactly, with its
// backslashes the only bytes that read as one.
TEST(InstallCodePage, TargetsAreTakenWhereTheCodePageHoldsThemExactly)
{
    struct {
        UINT codePage;
        const wchar_t* target;
        bool taken;
    } const cases[] = {
        /* 0 */ { 1252, L"C:\\\u017B\u00F3\u0142w", false },        // Żółw: no Ż or ł
        /* 1 */ { CP_UTF8, L"C:\\\u017B\u00F3\u0142w", true },
        /* 2 */ { CP_UTF8, L"C:\\a\xD800" L"b", false },               // half a surrogate pair
        /* 3 */ { 932, L"C:\\\u30C7\u30FC\u30BF", true },              // データ
        /* 4 */ { 932, L"C:\\\u30C7\u30FC\u30BF\u8868", false },      // データ表: 表's second byte is '\\'
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        std::string text;
        EXPECT_EQ(cases[i].taken, InCodePage(cases[i].target, text, cases[i].codePage)) << "row " << i;
    }
}

TEST_F(InstallTest, TwoLevelTargetIsRefusedAndAskedForAgainWithNothingCreated)
{
    std::string target = Target() + "\\deeper";
    InstallRun run(Source(), kService);
    run.targets = { target };
    EXPECT_EQ(kExitDone, run.Run());
    ASSERT_EQ(1u, run.boxes.size());
    ExpectBox(run.boxes[0], CannotCreateText(target), "Drive", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ((std::vector<std::string>{ kDefaultTarget, target }), run.shownTargets);
    EXPECT_FALSE(Exists(Target()));
}

TEST_F(InstallTest, InstallsIntoTheLongestTargetAndRefusesALongerOne)
{
    // Parent folders of 100 characters each until the name fits exactly.
    std::string parent = Target();
    CreateDirectoryA(parent.c_str(), nullptr);
    while (parent.size() + 1 + 100 < kMaxTargetLength - 10) {
        parent += "\\" + std::string(100 - 1, 'p');
        ASSERT_TRUE(CreateDirectoryA(parent.c_str(), nullptr)) << parent;
    }
    std::string longest = parent + "\\" + std::string(kMaxTargetLength - parent.size() - 1, 'z');
    ASSERT_EQ(kMaxTargetLength, longest.size());
    TestDdeServer server(kService);
    InstallRun run(Source(), kService);
    run.targets = { longest + "y", longest };
    EXPECT_EQ(kExitDone, run.Run());
    ASSERT_EQ(2u, run.boxes.size());
    ExpectBox(run.boxes[0], CannotCreateText(longest + "y"), "Drive", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_FALSE(Exists(longest + "y"));
    ExpectBox(run.boxes[1], "Installation is complete", "Plotra Line Graphs", MB_OK);
    ExpectInstalledCopies(longest);
    EXPECT_EQ(4u, server.Commands().size());
}

TEST_F(InstallTest, CancelWhileCopyingAsksNoGoesOnYesStopsBeforeTheNextFile)
{
    InstallRun run(Source(), kService);
    run.targets = { Target() };
    run.cancelBefore = { "plotra.hlp", "readme.txt" };
    run.yesNoAnswers = { IDNO, IDYES };
    EXPECT_EQ(kExitQuit, run.Run());
    EXPECT_EQ((std::vector<std::string>{ "plotra.exe", "plotra.hlp", "plotra.cnt", "plotra.chm" }),
              InstalledFiles(Target()));
    ASSERT_EQ(2u, run.boxes.size());  // the two questions, nothing after them
    for (const InstallBox& box : run.boxes) {
        ExpectBox(box, "Installation is not complete! Are you sure you want to quit?", "Plotra Line Graphs",
                  MB_YESNO | MB_ICONQUESTION);
        EXPECT_EQ(run.hCopyDlg, box.hOwner);
    }
    EXPECT_FALSE(IsWindow(run.hCopyDlg));
}

TEST_F(InstallTest, FailedCopyReportsAFileErrorAndKeepsTheFilesBefore)
{
    CreateDirectoryA(Target().c_str(), nullptr);
    CreateDirectoryA((Target() + "\\readme.txt").c_str(), nullptr);  // cannot be overwritten by a file
    InstallRun run(Source(), kService);
    run.targets = { Target() };
    EXPECT_EQ(kExitCopyFailed, run.Run());
    ASSERT_EQ(1u, run.boxes.size());
    ExpectBox(run.boxes[0],
              "An error has occurred during File copying. Check program disks and run Install again...",
              "File Error", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ((std::vector<std::string>{ "plotra.exe", "plotra.hlp", "plotra.cnt", "plotra.chm", "readme.txt" }),
              InstalledFiles(Target()));
    EXPECT_EQ(SourceContents("plotra.chm"), ReadAll(Target() + "\\plotra.chm"));
}

TEST_F(InstallTest, FailedCopyKeepsTheOlderCopyOfThatFileAndLeavesNothingElse)
{
    enum Failure { kSourceLocked, kPartWay, kOlderInUse };
    struct {
        Failure failure;
        size_t failsAt;  // index of the file that cannot be copied
    } const cases[] = {
        /* 0 */ { kSourceLocked, 4 },  // readme.txt cannot be read at all
        /* 1 */ { kPartWay, 0 },       // plotra.exe: the disk fills up half way through
        /* 2 */ { kOlderInUse, 1 },    // the older plotra.hlp is open and cannot be replaced
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        std::string target = Target() + std::to_string(i);
        CreateDirectoryA(target.c_str(), nullptr);
        for (const char* name : g_installFiles)
            WriteAll(target + "\\" + name, std::string("older ") + name);
        std::string failing = g_installFiles[cases[i].failsAt];
        InstallRun run(Source(), kService);
        HANDLE hLock = INVALID_HANDLE_VALUE;
        if (cases[i].failure == kPartWay) {
            // The copy writes part of the file, then finds the disk full.
            InstallGetHooks().copyFile = [&](const std::string& source, const std::string& destination) {
                if (source.find(failing) == std::string::npos)
                    return CopyFileA(source.c_str(), destination.c_str(), TRUE) != FALSE;
                WriteAll(destination, SourceContents(failing.c_str()).substr(0, 100));
                SetLastError(ERROR_DISK_FULL);
                return false;
            };
        } else {
            // Held open without sharing, the file can be neither read nor replaced.
            std::string locked = (cases[i].failure == kSourceLocked ? Source() : target) + "\\" + failing;
            hLock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
        }
        run.targets = { target };
        EXPECT_EQ(kExitCopyFailed, run.Run());
        if (hLock != INVALID_HANDLE_VALUE)
            CloseHandle(hLock);
        for (size_t f = 0; f < kInstallFileCount; ++f) {
            const char* name = g_installFiles[f];
            EXPECT_EQ(f < cases[i].failsAt ? SourceContents(name) : std::string("older ") + name,
                      ReadAll(target + "\\" + name)) << name;
        }
        EXPECT_EQ(kInstallFileCount, FilesIn(target).size());  // no temporary file left
    }
}

// A file made at the copy's temporary name after it was looked for stays,
// and the copy takes the next name.
TEST_F(InstallTest, TemporaryNameTakenMeanwhileIsLeftToItsOwner)
{
    CreateDirectoryA(Target().c_str(), nullptr);
    const std::string theirs = Target() + "\\~pl0.tmp";
    InstallRun run(Source(), kService);
    InstallGetHooks().copyFile = [&](const std::string& source, const std::string& destination) {
        if (destination == theirs && GetFileAttributesA(theirs.c_str()) == INVALID_FILE_ATTRIBUTES) {
            WriteAll(theirs, "theirs");
            SetLastError(ERROR_FILE_EXISTS);
            return false;
        }
        return CopyFileA(source.c_str(), destination.c_str(), TRUE) != FALSE;
    };
    run.targets = { Target() };
    EXPECT_EQ(kExitDone, run.Run());
    ExpectInstalledCopies(Target());
    EXPECT_EQ("theirs", ReadAll(theirs));
}

TEST_F(InstallTest, MissingSourceFileStopsBeforeAnythingIsCreated)
{
    DeleteFileA((Source() + "\\elect.plr").c_str());
    InstallRun run(Source(), kService);
    run.targets = { Target() };
    EXPECT_EQ(kExitCopyFailed, run.Run());
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_EQ("File Error", run.boxes[0].caption);
    EXPECT_FALSE(Exists(Target()));
}

TEST_F(InstallTest, InstallingIntoItsOwnFolderCopiesNothingAndMakesTheGroup)
{
    TestDdeServer server(kService);
    std::string typed = Source() + "\\";
    CharUpperA(&typed[0]);  // the same folder in other letters
    InstallRun run(Source(), kService);
    run.targets = { typed };
    EXPECT_EQ(kExitDone, run.Run());
    EXPECT_EQ(nullptr, run.hCopyDlg);
    ExpectInstalledCopies(Source());
    EXPECT_EQ(4u, server.Commands().size());
}

TEST_F(InstallTest, RefusesADriveWithoutRoomForTheFilesAndAsksAgain)
{
    // A sparse source file of a terabyte: far more than the drive has free,
    // while taking no room itself.
    HANDLE hFile = CreateFileA((Source() + "\\plotra.hlp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = LONGLONG(1) << 40;
    bool bGrown = SetFilePointerEx(hFile, size, nullptr, FILE_BEGIN) && SetEndOfFile(hFile);
    CloseHandle(hFile);
    ULARGE_INTEGER freeBytes;
    GetDiskFreeSpaceExA(Source().c_str(), &freeBytes, nullptr, nullptr);
    if (!bGrown || freeBytes.QuadPart >= ULONGLONG(size.QuadPart))
        GTEST_SKIP() << "no sparse terabyte file larger than the free space here";
    InstallRun run(Source(), kService);
    run.targets = { Target() };
    EXPECT_EQ(kExitDone, run.Run());
    ASSERT_EQ(1u, run.boxes.size());
    ExpectBox(run.boxes[0], NotEnoughSpaceText(Target()[0]), "Drive Space", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ((std::vector<std::string>{ kDefaultTarget, Target() }), run.shownTargets);
    EXPECT_FALSE(Exists(Target()));
}

// Both dialogs at the screen DPI of this run (the tests run again at 144 and
// 192 DPI), each saved under screenshots\dpi<N>: the first as it opens, the
// copy dialog once it names the first file.
TEST_F(InstallTest, DialogsShowEveryTextWithoutOverlapAtThisDpiLayout)
{
    TestDdeServer server(kService);
    InstallRun run(Source(), kService);
    run.targets = { Target() };
    std::vector<std::string> checked;
    auto check = [&](const char* name, HWND hDlg) {
        checked.push_back(name);
        for (const std::string& problem : LayoutProblems(hDlg))
            ADD_FAILURE() << name << " at " << ScreenDpi() << " DPI: " << problem;
        EXPECT_TRUE(SavePicture(CaptureWindow(hDlg), DpiScreenshotPath(std::string(name) + ".png"))) << name;
    };
    InstallHooks& hooks = InstallGetHooks();
    auto answer = hooks.dialogShown;
    hooks.dialogShown = [&](const char* name, HWND hDlg) {
        // Its controls count as visible once the dialog is.
        if (std::string(name) == "INSTALL") {
            ShowWindow(hDlg, SW_SHOW);
            check("install", hDlg);
        }
        answer(name, hDlg);
    };
    hooks.beforeCopy = [&](const char*, HWND hDlg) {
        if (checked.size() == 1)
            check("copy", hDlg);
    };
    EXPECT_EQ(kExitDone, run.Run());
    EXPECT_EQ((std::vector<std::string>{ "install", "copy" }), checked);
}
