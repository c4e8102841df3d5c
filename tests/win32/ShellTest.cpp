// Shell integration: the file type, DDE open requests, dropped files and the
// recent-file list kept in the profile.
#include <gtest/gtest.h>

#include <windows.h>
#include <ddeml.h>
#include <shlobj.h>

#include "app/MainFrm.h"
#include "document/PlorDoc.h"
#include "framework/FrameworkIds.h"
#include "framework/RecentFileList.h"
#include "framework/WideText.h"
#include "tests/support/AppHarness.h"

namespace {

std::string ClassesValue(HKEY hRoot, const std::string& key)
{
    char value[MAX_PATH] = {};
    LONG size = sizeof value;
    if (RegQueryValueA(hRoot, key.c_str(), value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

std::string ShortModulePath()
{
    char path[MAX_PATH];
    char shortPath[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    GetShortPathNameA(path, shortPath, MAX_PATH);
    return shortPath;
}

std::string ProfileValue(const char* section, const char* entry)
{
    char value[MAX_PATH] = {};
    GetPrivateProfileStringA(section, entry, "<missing>", value, sizeof value, AppHarness::ProfilePath().c_str());
    return value;
}

// A WM_DROPFILES handle holding the given files (UTF-8), as the shell builds
// it: in UTF-16.
HDROP MakeDrop(const std::vector<std::string>& files)
{
    std::wstring names;
    for (const std::string& f : files)
        names += AfxWide(f) + L'\0';
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(h));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(h);
    return static_cast<HDROP>(h);
}

HDDEDATA CALLBACK DdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

}  // namespace

std::string UserClassesValue(const std::string& key)
{
    return ClassesValue(HKEY_CURRENT_USER, "Software\\Classes\\" + key);
}

// Sets a key's default value, or removes the key when value is null.
void SetClassesValue(HKEY hRoot, const std::string& key, const char* value)
{
    if (value)
        RegSetValueA(hRoot, key.c_str(), REG_SZ, value, static_cast<DWORD>(strlen(value)));
    else
        RegDeleteKeyA(hRoot, key.c_str());
}

void DeleteUserFileType()
{
    for (const char* key : { "PlotraFileType\\shell\\open\\command", "PlotraFileType\\shell\\open",
                             "PlotraFileType\\shell", "PlotraFileType", ".plr" })
        RegDeleteKeyA(HKEY_CURRENT_USER, ("Software\\Classes\\" + std::string(key)).c_str());
}

// The type is the user's own, which a standard user can write; the extension
// is taken only when neither the user nor the machine gave it another type.
// Wine does not merge the user's classes into HKEY_CLASSES_ROOT, so the
// program writes that as well here.
TEST(Shell, RegistersFileTypeForTheUserLeavingAnotherTypesExtension)
{
    const char* const kOurs = "PlotraFileType";
    const char* const kOther = "SomeOtherType";
    const struct {
        const char *machineBefore, *userBefore, *userAfter, *machineAfter;
    } cases[] = {
        /* 0 */ { nullptr, nullptr, kOurs, kOurs },
        /* 1 */ { kOurs, nullptr, kOurs, kOurs },
        /* 2 */ { kOther, nullptr, "<missing>", kOther },
        /* 3 */ { nullptr, kOther, kOther, kOurs },
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        DeleteUserFileType();
        SetClassesValue(HKEY_CLASSES_ROOT, ".plr", cases[i].machineBefore);
        SetClassesValue(HKEY_CURRENT_USER, "Software\\Classes\\.plr", cases[i].userBefore);
        AppHarness harness;
        harness.Start();
        EXPECT_EQ("Plotra Line Graphs", UserClassesValue("PlotraFileType")) << "case " << i;
        EXPECT_EQ(ShortModulePath() + " \"%1\"", UserClassesValue("PlotraFileType\\shell\\open\\command"))
            << "case " << i;
        EXPECT_EQ(cases[i].userAfter, UserClassesValue(".plr")) << "case " << i;
        EXPECT_EQ(cases[i].machineAfter, ClassesValue(HKEY_CLASSES_ROOT, ".plr")) << "case " << i;
        EXPECT_EQ("<missing>", UserClassesValue("PlotraFileType\\shell\\print\\command")) << "case " << i;
        EXPECT_EQ("<missing>", UserClassesValue("PlotraFileType\\DefaultIcon")) << "case " << i;
    }
    DeleteUserFileType();
    SetClassesValue(HKEY_CLASSES_ROOT, ".plr", kOurs);
}

// Sends "[open(path)]" on the system topic, as an 8-bit client or (bUnicode)
// in UTF-16 as the shell does; the result of the transaction.
static HDDEDATA SendDdeOpen(AppHarness& harness, const std::string& path, bool bUnicode = false)
{
    DWORD inst = 0;
    EXPECT_EQ(static_cast<UINT>(DMLERR_NO_ERROR),
              bUnicode ? DdeInitializeW(&inst, &DdeCallback, APPCMD_CLIENTONLY, 0)
                       : DdeInitializeA(&inst, &DdeCallback, APPCMD_CLIENTONLY, 0));
    HSZ service = DdeCreateStringHandleW(inst, AfxWide(harness.App().m_strExeName).c_str(), CP_WINUNICODE);
    HSZ topic = DdeCreateStringHandleW(inst, L"system", CP_WINUNICODE);
    HCONV conv = DdeConnect(inst, service, topic, nullptr);
    EXPECT_NE(nullptr, conv) << "DDE error " << DdeGetLastError(inst);
    std::string command = "[open(\"" + path + "\")]";
    std::wstring wide = AfxWide(command);
    BYTE* data = bUnicode ? reinterpret_cast<BYTE*>(&wide[0]) : reinterpret_cast<BYTE*>(&command[0]);
    DWORD size = static_cast<DWORD>(bUnicode ? (wide.size() + 1) * sizeof(wchar_t) : command.size() + 1);
    HDDEDATA result = DdeClientTransaction(data, size, conv, nullptr, bUnicode ? CF_UNICODETEXT : CF_TEXT,
                                           XTYP_EXECUTE, 5000, nullptr);
    DdeDisconnect(conv);
    DdeFreeStringHandle(inst, service);
    DdeFreeStringHandle(inst, topic);
    DdeUninitialize(inst);
    harness.Pump();
    return result;
}

TEST(Shell, DdeOpenCommandOnSystemTopicOpensFile)
{
    std::string path = WriteTestFile("by dde.plr", "5 6\r\n7 8");
    AppHarness harness;
    harness.Start();
    EXPECT_NE(nullptr, SendDdeOpen(harness, path));
    EXPECT_STREQ(path.c_str(), harness.Doc()->GetPathName());
    EXPECT_STREQ("5 6", harness.Doc()->m_lines[0]);
}

// A modal dialog disables the frame while it works on the document: neither
// the shell nor a drop may replace the document under it.
TEST(Shell, OpenRequestsWhileTheFrameIsDisabledAreRefused)
{
    std::string path = WriteTestFile("while modal.plr", "5 6\r\n7 8");
    for (int viaDde = 0; viaDde < 2; ++viaDde) {
        AppHarness harness;
        harness.Start();
        EnableWindow(harness.Frame()->m_hWnd, FALSE);
        if (viaDde)
            EXPECT_EQ(nullptr, SendDdeOpen(harness, path)) << "the shell must be told the request failed";
        else
            SendMessageA(harness.Frame()->m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({ path })), 0);
        EXPECT_TRUE(harness.Doc()->GetPathName().IsEmpty()) << "via DDE " << viaDde;
        EXPECT_EQ(0, harness.Doc()->m_graph.pointCount) << "via DDE " << viaDde;
        EXPECT_TRUE(harness.boxes.empty());
        EnableWindow(harness.Frame()->m_hWnd, TRUE);
    }
}

TEST(Shell, DdeRefusesOtherTopics)
{
    AppHarness harness;
    harness.Start();
    DWORD inst = 0;
    DdeInitializeA(&inst, &DdeCallback, APPCMD_CLIENTONLY, 0);
    HSZ service = DdeCreateStringHandleA(inst, harness.App().m_strExeName, CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(inst, "other", CP_WINANSI);
    EXPECT_EQ(nullptr, DdeConnect(inst, service, topic, nullptr));
    DdeFreeStringHandle(inst, service);
    DdeFreeStringHandle(inst, topic);
    DdeUninitialize(inst);
}

TEST(Shell, TwoDroppedFilesLeaveTheSecondOpen)
{
    std::string first = WriteTestFile("first.plr", "1 1\r\n2 2");
    std::string second = WriteTestFile("second.plr", "3 3\r\n4 4");
    AppHarness harness;
    harness.Start();
    EXPECT_NE(0, GetWindowLongA(harness.Frame()->m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    SendMessageA(harness.Frame()->m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({ first, second })), 0);
    EXPECT_STREQ(second.c_str(), harness.Doc()->GetPathName());
    EXPECT_STREQ("3 3", harness.Doc()->m_lines[0]);
    // The first was opened before it was replaced: both are recent files.
    CRecentFileList& recent = *harness.App().m_pRecentFileList;
    ASSERT_EQ(2, recent.GetSize());
    EXPECT_STREQ(second.c_str(), recent[0]);
    EXPECT_STREQ(first.c_str(), recent[1]);
}

// Cut to MAX_PATH - 1 characters, the dropped name would name this other file.
TEST(Shell, DroppedNameLongerThanMaxPathIsNotCutShort)
{
    std::string folder = TestFolder() + "\\";
    std::string cut = WriteFileAt(folder + std::string(MAX_PATH - 5 - folder.size(), 'a') + ".plr", "1 1\r\n2 2");
    AppHarness harness;
    harness.Start();
    SendMessageA(harness.Frame()->m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({ cut + "x" })), 0);
    EXPECT_TRUE(harness.Doc()->GetPathName().IsEmpty()) << harness.Doc()->GetPathName();
}

TEST(Shell, RelativeNameOfAFullNameLongerThanMaxPathOpensAsTheFullName)
{
    const std::string relative = std::string(200, 'r') + "\\" + std::string(100, 'n') + ".plr";
    CreateDirectoryA((TestFolder() + "\\" + std::string(200, 'r')).c_str(), nullptr);
    const std::string full = WriteTestFile(relative, "1 1\r\n2 2");
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    SetCurrentDirectoryA(TestFolder().c_str());
    AppHarness harness;
    harness.Start("\"" + relative + "\"");
    SetCurrentDirectoryA(before);
    EXPECT_STREQ(full.c_str(), harness.Doc()->GetPathName());
}

TEST(Shell, DropOnModifiedDocumentOffersSaveBeforeEachFile)
{
    std::string first = WriteTestFile("first.plr", "1 1\r\n2 2");
    AppHarness harness;
    harness.Start();
    harness.Doc()->SetModifiedFlag(TRUE);
    harness.answers = { IDCANCEL };
    SendMessageA(harness.Frame()->m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({ first })), 0);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Save changes to Untitled?", harness.boxes[0].text);
    EXPECT_TRUE(harness.Doc()->GetPathName().IsEmpty());
    EXPECT_TRUE(harness.Doc()->IsModified());
}

TEST(Shell, RecentFilesAreWrittenToAndReadFromProfile)
{
    std::string a = WriteTestFile("recent a.plr", "1 1\r\n2 2");
    std::string b = WriteTestFile("recent b.plr", "1 1\r\n2 2");
    {
        AppHarness harness;
        harness.Start();
        harness.App().OpenDocumentFile(a.c_str());
        harness.App().OpenDocumentFile(b.c_str());
        harness.App().OpenDocumentFile(a.c_str());
        harness.Stop();
        EXPECT_EQ(a, ProfileValue("Recent File List", "File1"));
        EXPECT_EQ(b, ProfileValue("Recent File List", "File2"));
        EXPECT_EQ("<missing>", ProfileValue("Recent File List", "File3"));
    }
    // The profile survives the harness (which only clears it when it starts),
    // so a second application reads it back.
    CPlorApp app;
    app.m_strProfileName = AppHarness::ProfilePath().c_str();
    app.LoadStdProfileSettings(4);
    ASSERT_EQ(2, app.m_pRecentFileList->GetSize());
    EXPECT_STREQ(a.c_str(), (*app.m_pRecentFileList)[0]);
    EXPECT_STREQ(b.c_str(), (*app.m_pRecentFileList)[1]);
}

// Names longer than any buffer of old come back whole, or a pick from the
// list would open the file a shorter name gives.
TEST(Shell, RecentFileNamesAreReadBackWhole)
{
    const std::string name = "C:\\" + std::string(5000, 'n') + ".plr";
    const std::string profile = WriteTestFile("long names.ini", "[Recent File List]\r\nFile1=" + name + "\r\n");
    CPlorApp app;
    app.m_strProfileName = profile.c_str();
    app.LoadStdProfileSettings(4);
    ASSERT_EQ(1, app.m_pRecentFileList->GetSize());
    EXPECT_EQ(name.size(), strlen((*app.m_pRecentFileList)[0]));
}

// Taken over from the Windows folder's profile whole, however long the names.
TEST(Shell, LongRecentFileNamesMoveToTheUsersFolder)
{
    const std::string name = "C:\\" + std::string(5000, 'n') + ".plr";
    AppHarness harness;
    WriteFileAt(AppHarness::OldProfilePath(), "[Recent File List]\r\nFile1=" + name + "\r\nFile2=" + name + "\r\n");
    harness.Start();
    EXPECT_EQ(2, harness.App().m_pRecentFileList->GetSize());
}

// The Windows folder's profile, which a standard user can read but not
// write, is taken over on the first start only and never written.
TEST(Shell, SettingsMoveToTheUsersFolderOnceLeavingTheWindowsFoldersProfile)
{
    std::string a = WriteTestFile("kept a.plr", "1 1\r\n2 2");
    std::string b = WriteTestFile("kept b.plr", "1 1\r\n2 2");
    const std::string old = AppHarness::OldProfilePath();
    AppHarness harness;
    WriteFileAt(old, "[Recent File List]\r\nFile1=" + a + "\r\n[Settings]\r\nPreviewPages=2\r\n[Other]\r\nx=1\r\n");
    SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string oldBytes = ReadFileAt(old);
    harness.Start();
    ASSERT_EQ(1, harness.App().m_pRecentFileList->GetSize());
    EXPECT_STREQ(a.c_str(), (*harness.App().m_pRecentFileList)[0]);
    EXPECT_EQ(2u, harness.App().m_nNumPreviewPages);
    harness.App().OpenDocumentFile(b.c_str());
    harness.Stop();
    EXPECT_EQ(b, ProfileValue("Recent File List", "File1"));
    EXPECT_EQ(a, ProfileValue("Recent File List", "File2"));
    EXPECT_EQ("2", ProfileValue("Settings", "PreviewPages"));
    EXPECT_EQ("<missing>", ProfileValue("Other", "x"));
    EXPECT_EQ(oldBytes, ReadFileAt(old));

    // Later starts read only their own profile, whatever the old one says.
    SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteFileAt(old, "[Recent File List]\r\nFile1=C:\\elsewhere.plr\r\n");
    CPlorApp app;
    app.m_strProfileName = AppHarness::kProfileName;
    app.SetUserProfileFolder("Plotra");
    app.LoadStdProfileSettings(4);
    EXPECT_STREQ(AppHarness::ProfilePath().c_str(), app.m_strProfileName);
    ASSERT_EQ(2, app.m_pRecentFileList->GetSize());
    EXPECT_STREQ(b.c_str(), (*app.m_pRecentFileList)[0]);
    DeleteFileA(old.c_str());
}

TEST(Shell, RecentFileMenuListsFilesAndOpensThem)
{
    std::string a = WriteTestFile("menu a.plr", "1 1\r\n2 2");
    std::string b = WriteTestFile("menu b.plr", "3 3\r\n4 4");
    AppHarness harness;
    harness.Start();
    harness.App().OpenDocumentFile(a.c_str());
    harness.App().OpenDocumentFile(b.c_str());
    HWND hFrame = harness.Frame()->m_hWnd;
    HMENU hFile = GetSubMenu(GetMenu(hFrame), 0);
    SendMessageA(hFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), 0);
    EXPECT_EQ(14, GetMenuItemCount(hFile));
    EXPECT_EQ(static_cast<UINT>(ID_FILE_MRU_FILE1), GetMenuItemID(hFile, 10));
    EXPECT_EQ(static_cast<UINT>(ID_FILE_MRU_FILE1 + 1), GetMenuItemID(hFile, 11));
    char text[MAX_PATH] = {};
    GetMenuStringA(hFile, 11, text, sizeof text, MF_BYPOSITION);
    // Long paths keep their drive and file name.
    EXPECT_EQ("&2 C:\\...\\menu a.plr", std::string(text));
    EXPECT_EQ(0u, GetMenuState(hFile, 11, MF_BYPOSITION) & MF_GRAYED);
    // Opening the menu again must not duplicate the items.
    SendMessageA(hFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), 0);
    EXPECT_EQ(14, GetMenuItemCount(hFile));

    harness.Command(ID_FILE_MRU_FILE1 + 1);
    EXPECT_STREQ(a.c_str(), harness.Doc()->GetPathName());
}

TEST(Shell, RecentFileThatIsGoneLeavesTheList)
{
    std::string gone = WriteTestFile("gone.plr", "1 1\r\n2 2");
    AppHarness harness;
    harness.Start();
    harness.App().OpenDocumentFile(gone.c_str());
    harness.App().OnFileNew();
    DeleteFileA(gone.c_str());
    harness.Command(ID_FILE_MRU_FILE1);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ(gone + " was not found.", harness.boxes[0].text);
    EXPECT_EQ(0, harness.App().m_pRecentFileList->GetSize());
    EXPECT_STREQ("Untitled", harness.Doc()->GetTitle());
}

// Names outside the code page (the tests run with a Western one): Greek,
// Cyrillic, Chinese and an emoji (two UTF-16 units). The command line and
// File Open are the smoke test's, in a program of its own.
const char kOtherScripts[] = "Δοκιμή Тест 测试 📈.plr";

std::wstring FrameCaption(AppHarness& harness)
{
    wchar_t text[256] = {};
    GetWindowTextW(harness.Frame()->m_hWnd, text, 256);
    return text;
}

// Opened by a drop, DDE or the recent file list, or saved as such a name,
// the file keeps its name in the document, the title and the message that
// finds it gone; it holds the bytes the same graph saved as a plain name has.
TEST(Shell, ANameInAnyScriptOpensAndSavesAsAPlainNameDoes)
{
    const std::string plain = TestFolder() + "\\plain name.plr";
    for (const std::string way : { "drop", "DDE", "recent file", "save as" }) {
        SCOPED_TRACE(way);
        const std::string path = WriteTestFile(kOtherScripts, "5 6\r\n7 8");
        AppHarness harness;
        harness.Start();
        if (way == "drop") {
            SendMessageA(harness.Frame()->m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({ path })), 0);
        } else if (way == "DDE") {
            EXPECT_NE(nullptr, SendDdeOpen(harness, path, true));
        } else if (way == "recent file") {
            harness.App().OpenDocumentFile(path.c_str());
            harness.App().OnFileNew();
            harness.Command(ID_FILE_MRU_FILE1);
        } else {
            harness.App().OpenDocumentFile(WriteTestFile("to save.plr", "5 6\r\n7 8").c_str());
            harness.fileNames = { plain, path };
            harness.Command(ID_FILE_SAVE_AS);
            harness.Command(ID_FILE_SAVE_AS);
            EXPECT_EQ(ReadFileAt(plain), ReadFileAt(path));
            EXPECT_NE(std::string::npos, ReadFileAt(path).find("Graph Title"));
        }
        EXPECT_STREQ(path.c_str(), harness.Doc()->GetPathName());
        EXPECT_STREQ("5 6", harness.Doc()->m_lines[0]);
        EXPECT_EQ(AfxWide(kOtherScripts) + L" - PLOTRA Line Graphs", FrameCaption(harness));
        EXPECT_TRUE(harness.boxes.empty()) << harness.boxes[0].text;
        DeleteFileW(AfxWide(path).c_str());
        harness.App().OnFileNew();
        harness.Command(ID_FILE_MRU_FILE1);
        ASSERT_EQ(1u, harness.boxes.size());
        EXPECT_EQ(path + " was not found.", harness.boxes[0].text);
    }
}

// The profile is rewritten in UTF-16 (one an earlier version wrote in the
// code page is read as the code page has it), so every name survives a
// restart; the menu shortens a path by its characters, not its bytes.
TEST(Shell, TheProfileKeepsNamesInAnyScriptAcrossARestart)
{
    const std::string path = WriteTestFile(kOtherScripts, "5 6\r\n7 8");
    {
        AppHarness harness;
        WriteFileAt(AppHarness::ProfilePath(), "[Recent File List]\r\nFile1=C:\\caf\xE9.plr\r\n");
        harness.Start("\"" + path + "\"");
        harness.Stop();
    }
    EXPECT_EQ(std::string("\xFF\xFE"), ReadFileAt(AppHarness::ProfilePath()).substr(0, 2));
    CPlorApp app;
    app.m_strProfileName = AppHarness::ProfilePath().c_str();
    app.LoadStdProfileSettings(4);
    ASSERT_EQ(2, app.m_pRecentFileList->GetSize());
    EXPECT_STREQ(path.c_str(), (*app.m_pRecentFileList)[0]);
    EXPECT_STREQ("C:\\caf\xC3\xA9.plr", (*app.m_pRecentFileList)[1]);
    const std::string forty = "C:\\" + std::string(32, 'x') + "\xCE\x94.plr";
    app.m_pRecentFileList->Add(forty.c_str());
    EXPECT_EQ("&1 " + forty, app.m_pRecentFileList->GetMenuText(0).str());
}
