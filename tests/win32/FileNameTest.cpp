// File names outside the system's code page (the tests run with a Western
// one): each way a name comes in reaches the file, the title and the
// recent-file list show it as it is, and a save under it writes the same
// bytes as under a plain name.
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

// Greek, Cyrillic, Chinese and an emoji (two UTF-16 units).
const char kName[] = "Δοκιμή Тест 测试 📈.plr";
const char kData[] = "5 6\r\n7 8";

// The caption as the window keeps it, in UTF-16.
std::wstring Caption(HWND hWnd)
{
    wchar_t text[256] = {};
    InternalGetWindowText(hWnd, text, 256);
    return text;
}

// A WM_DROPFILES handle naming one file in UTF-16, as the shell builds it.
HDROP MakeWideDrop(const std::string& file)
{
    std::wstring name = AfxWide(file);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t));
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(h));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, name.c_str(), name.size() * sizeof(wchar_t));
    GlobalUnlock(h);
    return static_cast<HDROP>(h);
}

HDDEDATA CALLBACK NoCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

// "[open("path")]" on the system topic from a Unicode client, as the shell sends it.
bool SendWideDdeOpen(AppHarness& harness, const std::string& path)
{
    DWORD inst = 0;
    if (DdeInitializeW(&inst, &NoCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    HSZ service = DdeCreateStringHandleW(inst, AfxWide(harness.App().m_strExeName).c_str(), CP_WINUNICODE);
    HSZ topic = DdeCreateStringHandleW(inst, L"system", CP_WINUNICODE);
    HCONV conv = DdeConnect(inst, service, topic, nullptr);
    std::wstring command = L"[open(\"" + AfxWide(path) + L"\")]";
    HDDEDATA result = conv ? DdeClientTransaction(reinterpret_cast<BYTE*>(&command[0]),
                                                  static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)), conv,
                                                  nullptr, CF_UNICODETEXT, XTYP_EXECUTE, 5000, nullptr)
                           : nullptr;
    if (conv)
        DdeDisconnect(conv);
    DdeFreeStringHandle(inst, service);
    DdeFreeStringHandle(inst, topic);
    DdeUninitialize(inst);
    harness.Pump();
    return result != nullptr;
}

}  // namespace

// The command line and File Open are the smoke test's, in a program of its own.
TEST(FileNames, ANameInAnyScriptOpensByDropDdeAndTheRecentFileList)
{
    const std::string path = WriteTestFile(kName, kData);
    for (const std::string way : { "drop", "DDE", "recent file" }) {
        SCOPED_TRACE(way);
        AppHarness harness;
        ASSERT_TRUE(harness.Start());
        HWND hFrame = harness.Frame()->m_hWnd;
        if (way == "drop") {
            SendMessageA(hFrame, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeWideDrop(path)), 0);
        } else if (way == "DDE") {
            EXPECT_TRUE(SendWideDdeOpen(harness, path));
        } else {
            harness.App().OpenDocumentFile(path.c_str());
            harness.App().OnFileNew();
            harness.Command(ID_FILE_MRU_FILE1);
        }
        EXPECT_STREQ(path.c_str(), harness.Doc()->GetPathName());
        EXPECT_STREQ("5 6", harness.Doc()->m_lines[0]);
        EXPECT_EQ(AfxWide(kName) + L" - PLOTRA Line Graphs", Caption(hFrame));
        EXPECT_TRUE(harness.boxes.empty()) << harness.boxes[0].text;
    }
}

// The profile is kept in UTF-16, so the name survives a restart; the menu
// shows it.
TEST(FileNames, TheRecentFileListKeepsANameInAnyScriptAcrossARestart)
{
    const std::string path = WriteTestFile(kName, kData);
    {
        AppHarness harness;
        harness.Start("\"" + path + "\"");
        harness.Stop();
    }
    EXPECT_EQ(std::string("\xFF\xFE"), ReadFileAt(AppHarness::ProfilePath()).substr(0, 2));
    CPlorApp app;
    app.m_strProfileName = AppHarness::ProfilePath().c_str();
    app.LoadStdProfileSettings(4);
    ASSERT_EQ(1, app.m_pRecentFileList->GetSize());
    EXPECT_STREQ(path.c_str(), (*app.m_pRecentFileList)[0]);
    const std::wstring menuText = AfxWide(app.m_pRecentFileList->GetMenuText(0));
    EXPECT_EQ(AfxWide(kName), menuText.substr(menuText.size() - AfxWide(kName).size()));
    // Shortened by its characters, not its bytes: 40 characters show whole.
    const std::string forty = "C:\\" + std::string(32, 'x') + "\xCE\x94.plr";
    app.m_pRecentFileList->Add(forty.c_str());
    EXPECT_EQ("&1 " + forty, app.m_pRecentFileList->GetMenuText(0).str());
}

TEST(FileNames, SaveAsUnderANameInAnyScriptWritesTheBytesOfAPlainName)
{
    const std::string named = TestFolder() + "\\" + kName;
    const std::string plain = TestFolder() + "\\plain name.plr";
    AppHarness harness;
    harness.Start("\"" + WriteTestFile("to save.plr", "1 2\r\n3 4\r\n5 7") + "\"");
    harness.fileNames = { plain, named };
    harness.Command(ID_FILE_SAVE_AS);
    harness.Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_STREQ(named.c_str(), harness.Doc()->GetPathName());
    EXPECT_EQ(ReadFileAt(plain), ReadFileAt(named));
    EXPECT_NE(std::string::npos, ReadFileAt(named).find("Graph Title"));
    EXPECT_EQ(AfxWide(kName) + L" - PLOTRA Line Graphs", Caption(harness.Frame()->m_hWnd));

    // Gone, it is named whole in the message.
    DeleteFileW(AfxWide(named).c_str());
    harness.App().OnFileNew();
    harness.Command(ID_FILE_MRU_FILE1);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ(named + " was not found.", harness.boxes[0].text);
}

// A profile an earlier version wrote in the code page is rewritten in UTF-16,
// its names read as the code page has them.
TEST(FileNames, AProfileInTheCodePageIsTakenOverInUtf16)
{
    AppHarness harness;
    WriteFileAt(AppHarness::ProfilePath(),
                "[Recent File List]\r\nFile1=C:\\caf\xE9.plr\r\n[Settings]\r\nPreviewPages=2\r\n");
    harness.Start();
    EXPECT_EQ(std::string("\xFF\xFE"), ReadFileAt(AppHarness::ProfilePath()).substr(0, 2));
    ASSERT_EQ(1, harness.App().m_pRecentFileList->GetSize());
    EXPECT_STREQ("C:\\caf\xC3\xA9.plr", (*harness.App().m_pRecentFileList)[0]);
    EXPECT_EQ(2u, harness.App().m_nNumPreviewPages);
}
