// The main menu: texts, commands, order and enable states, and the accelerators.
#include <gtest/gtest.h>

#include <windows.h>
#include <htmlhelp.h>

#include <string>
#include <vector>

#include "app/MainFrm.h"
#include "app/resource.h"
#include "document/PlorDoc.h"
#include "framework/FrameworkIds.h"
#include "graph/PlorView.h"
#include "tests/support/AppHarness.h"

namespace {

// One menu item as the user sees it; a separator has id 0 and no text.
struct Item {
    std::string text;
    UINT id;
    bool enabled;
    bool checked;
};

const UINT kSep = 0;

bool operator==(const Item& a, const Item& b)
{
    return a.text == b.text && a.id == b.id && a.enabled == b.enabled && a.checked == b.checked;
}

std::ostream& operator<<(std::ostream& os, const Item& item)
{
    return os << "{\"" << item.text << "\", " << item.id << (item.enabled ? ", enabled" : ", grey")
              << (item.checked ? ", checked}" : "}");
}

// Opens popup nIndex of the frame's menu as the user would (so the enable
// handlers run) and reads its items back.
std::vector<Item> OpenPopup(HWND hFrame, int nIndex)
{
    HMENU hPopup = GetSubMenu(GetMenu(hFrame), nIndex);
    SendMessageA(hFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(nIndex, FALSE));
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(hPopup); ++i) {
        char text[128] = {};
        GetMenuStringA(hPopup, i, text, sizeof text, MF_BYPOSITION);
        UINT state = GetMenuState(hPopup, i, MF_BYPOSITION);
        // Wine reports separators as greyed; they have no state a user sees.
        bool enabled = (state & MF_SEPARATOR) || (state & (MF_GRAYED | MF_DISABLED)) == 0;
        items.push_back({ text, GetMenuItemID(hPopup, i), enabled, (state & MF_CHECKED) != 0 });
    }
    return items;
}

void ExpectItems(const std::vector<Item>& expected, const std::vector<Item>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], actual[i]) << "item " << i;
}

void SetClipboardText(HWND hOwner, const char* text)
{
    ASSERT_TRUE(OpenClipboard(hOwner));
    EmptyClipboard();
    if (text) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
        strcpy(static_cast<char*>(GlobalLock(h)), text);
        GlobalUnlock(h);
        SetClipboardData(CF_TEXT, h);
    }
    CloseClipboard();
}

// Gives the document n points, as a successful conversion would.
void GivePoints(CPlorDoc* pDoc, int n)
{
    pDoc->m_graph.xValues = new float[n]();
    pDoc->m_graph.yValues = new float[n]();
    pDoc->m_graph.pointCount = n;
}

}  // namespace

TEST(Menu, TopLevelMenusInOrder)
{
    AppHarness harness;
    harness.Start();
    HMENU hMenu = GetMenu(harness.Frame()->m_hWnd);
    ASSERT_EQ(3, GetMenuItemCount(hMenu));
    const char* const names[] = { "&File", "&Edit", "&Help" };
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        GetMenuStringA(hMenu, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(names[i], text);
    }
}

TEST(Menu, EmptyDocumentGreysCommandsThatNeedData)
{
    AppHarness harness;
    harness.Start();
    HWND hFrame = harness.Frame()->m_hWnd;
    SetClipboardText(hFrame, nullptr);
    ExpectItems({ { "&New\tCtrl+N", ID_FILE_NEW_DATA, true, false },
                  { "&Open...\tCtrl+O", ID_FILE_OPEN, true, false },
                  { "&Save\tCtrl+S", ID_FILE_SAVE, false, false },
                  { "Save &As...", ID_FILE_SAVE_AS, false, false },
                  { "", kSep, true, false },
                  { "Size Printed &Graph...", ID_FILE_SIZE_GRAPH, true, false },
                  { "&Print...\tCtrl+P", ID_FILE_PRINT, false, false },
                  { "Print Pre&view", ID_FILE_PRINT_PREVIEW, false, false },
                  { "P&rint Setup...", ID_FILE_PRINT_SETUP, true, false },
                  { "", kSep, true, false },
                  { "Recent File", ID_FILE_MRU_FILE1, false, false },
                  { "", kSep, true, false },
                  { "E&xit", ID_APP_EXIT, true, false } },
                OpenPopup(hFrame, 0));
    ExpectItems({ { "Graph &Data...", ID_EDIT_GRAPH_DATA, true, false },
                  { "Graph &Options...", ID_EDIT_GRAPH_OPTIONS, false, false },
                  { "&Trend Line", ID_EDIT_TREND_LINE, false, false },
                  { "Trend Line &Equation...", ID_EDIT_TREND_EQUATION, false, false },
                  { "", kSep, true, false },
                  { "&Copy        Ctrl+C", ID_EDIT_COPY, false, false },
                  { "&Paste       Ctrl+V", ID_EDIT_PASTE, false, false } },
                OpenPopup(hFrame, 1));
    ExpectItems({ { "&Help Topics", ID_HELP_FINDER, true, false },
                  { "&Using Help", ID_HELP_USING, true, false },
                  { "", kSep, true, false },
                  { "&About PLOTRA...", ID_APP_ABOUT, true, false } },
                OpenPopup(hFrame, 2));
}

TEST(Menu, PasteFollowsClipboardText)
{
    AppHarness harness;
    harness.Start();
    HWND hFrame = harness.Frame()->m_hWnd;
    SetClipboardText(hFrame, "1 2\r\n3 4\r\n");
    EXPECT_TRUE(OpenPopup(hFrame, 1)[6].enabled);
    SetClipboardText(hFrame, nullptr);
    EXPECT_FALSE(OpenPopup(hFrame, 1)[6].enabled);
}

TEST(Menu, OnePointIsNotEnoughButTwoEnableDataCommands)
{
    AppHarness harness;
    harness.Start();
    HWND hFrame = harness.Frame()->m_hWnd;
    GivePoints(harness.Doc(), 1);
    EXPECT_FALSE(OpenPopup(hFrame, 1)[1].enabled);
    harness.Doc()->DeleteContents();
    GivePoints(harness.Doc(), 2);

    std::vector<Item> file = OpenPopup(hFrame, 0);
    for (int i : { 2, 3, 6, 7 })
        EXPECT_TRUE(file[i].enabled) << file[i];
    std::vector<Item> edit = OpenPopup(hFrame, 1);
    for (int i : { 1, 2, 5 })
        EXPECT_TRUE(edit[i].enabled) << edit[i];
    EXPECT_FALSE(edit[2].checked);
    EXPECT_FALSE(edit[3].enabled) << "the equation needs the trend line on";

    harness.View()->m_bTrendLine = TRUE;
    edit = OpenPopup(hFrame, 1);
    EXPECT_TRUE(edit[2].checked);
    EXPECT_TRUE(edit[3].enabled);
}

TEST(Menu, AcceleratorsMapToTheirCommands)
{
    HACCEL hAccel = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, hAccel);
    ACCEL table[16];
    int n = CopyAcceleratorTableA(hAccel, table, 16);
    struct Expected {
        WORD key;
        BYTE modifiers;
        WORD cmd;
    } const expected[] = {
        { 'C', FCONTROL, ID_EDIT_COPY },  { 'N', FCONTROL, ID_FILE_NEW },   { 'O', FCONTROL, ID_FILE_OPEN },
        { 'P', FCONTROL, ID_FILE_PRINT }, { 'S', FCONTROL, ID_FILE_SAVE },  { 'V', FCONTROL, ID_EDIT_PASTE },
        { VK_F1, 0, ID_HELP },            { VK_F6, 0, ID_NEXT_PANE },       { VK_F6, FSHIFT, ID_PREV_PANE },
    };
    ASSERT_EQ(9, n);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(expected[i].key, table[i].key) << "row " << i;
        EXPECT_EQ(FVIRTKEY | expected[i].modifiers, table[i].fVirt & ~FNOINVERT) << "row " << i;
        EXPECT_EQ(expected[i].cmd, table[i].cmd) << "row " << i;
    }
    DestroyAcceleratorTable(hAccel);
}

namespace {

// Presses Ctrl+key in the view, through the message loop's translation.
void PressCtrlKey(AppHarness& harness, WORD key)
{
    BYTE state[256];
    GetKeyboardState(state);
    BYTE saved = state[VK_CONTROL];
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    MSG msg = { harness.View()->m_hWnd, WM_KEYDOWN, key, 1, 0, { 0, 0 } };
    if (!harness.App().PreTranslateMessage(&msg))
        DispatchMessageA(&msg);
    state[VK_CONTROL] = saved;
    SetKeyboardState(state);
}

}  // namespace

TEST(Menu, CtrlNAndMenuNewAreDifferentCommands)
{
    AppHarness harness;
    harness.Start();
    // The menu's New is the program's own command, handled by the document;
    // Ctrl+N is the framework's plain File New, handled by the application.
    EXPECT_TRUE(harness.Doc()->OnCmdMsg(ID_FILE_NEW_DATA, CN_COMMAND_PROBE, nullptr));
    EXPECT_FALSE(harness.Doc()->OnCmdMsg(ID_FILE_NEW, CN_COMMAND_PROBE, nullptr));
    EXPECT_TRUE(harness.App().OnCmdMsg(ID_FILE_NEW, CN_COMMAND_PROBE, nullptr));

    // Both start a new document: a modified one is offered for saving first.
    harness.Doc()->SetModifiedFlag(TRUE);
    harness.answers = { IDNO };
    PressCtrlKey(harness, 'N');
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Save changes to Untitled?", harness.boxes[0].text);
    EXPECT_FALSE(harness.Doc()->IsModified());

    harness.Doc()->SetModifiedFlag(TRUE);
    harness.answers = { IDNO };
    harness.Command(ID_FILE_NEW_DATA);
    EXPECT_EQ(2u, harness.boxes.size());
    EXPECT_FALSE(harness.Doc()->IsModified());
}

TEST(Menu, AcceleratorOfGreyedCommandDoesNothing)
{
    AppHarness harness;
    harness.Start();
    // Ctrl+S with no data: Save is greyed, so no Save As prompt may appear.
    harness.fileNames = { TestFolder() + "\\never.plr" };
    PressCtrlKey(harness, 'S');
    EXPECT_EQ(1u, harness.fileNames.size());
}

// Help Topics, Using Help, the default help and F1, in the order given;
// then the window is closed.
void RunHelpCommands(AppHarness& harness)
{
    harness.Command(ID_HELP_FINDER);
    harness.Command(ID_HELP_USING);
    harness.Command(ID_DEFAULT_HELP);
    SendMessageA(harness.Frame()->m_hWnd, WM_COMMAND, MAKEWPARAM(ID_HELP, 1), 0);
    SendMessageA(harness.Frame()->m_hWnd, WM_CLOSE, 0, 0);
}

std::string ModuleBase()
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    return path.substr(0, path.rfind('.'));
}

TEST(Menu, HelpCommandsUseHtmlHelpWhereItShowsTheFileElseWinHelp)
{
    const std::string chm = ModuleBase() + ".chm";
    const struct {
        bool bAvailable, bChmBeside, bOpens, bHtml;
    } cases[] = {
        /* 0 */ { false, true, true, false },  // the system has no HTML Help
        /* 1 */ { true, false, true, false },  // no .chm beside the program
        /* 2 */ { true, true, true, true },
        /* 3 */ { true, true, false, false },  // HTML Help opens nothing: WinHelp tries
    };
    const std::vector<RecordedHelp> htmlCalls = { { chm, HH_DISPLAY_TOC, 0 },
                                                  { chm + "::/usinghelp.html", HH_DISPLAY_TOPIC, 0 },
                                                  { chm, HH_DISPLAY_TOC, 0 },
                                                  { chm + "::/start.html", HH_DISPLAY_TOPIC, 0 } };
    const std::string hlp = ModuleBase() + ".HLP";
    const std::vector<RecordedHelp> winHelpCalls = { { hlp, HELP_FINDER, 0 },
                                                     { hlp, HELP_HELPONHELP, 0 },
                                                     { hlp, HELP_FINDER, 0 },
                                                     { hlp, HELP_CONTEXT, 0x20000 + IDR_MAINFRAME },
                                                     { hlp, HELP_QUIT, 0 } };  // the viewer closed with the window
    for (size_t i = 0; i < std::size(cases); ++i) {
        if (cases[i].bChmBeside)
            WriteFileAt(chm, "ITSF");
        AppHarness harness;
        harness.htmlHelpAvailable = cases[i].bAvailable;
        harness.htmlHelpOpens = cases[i].bOpens;
        harness.Start();
        RunHelpCommands(harness);
        DeleteFileA(chm.c_str());
        bool bTried = cases[i].bAvailable && cases[i].bChmBeside;
        EXPECT_EQ(bTried ? htmlCalls : std::vector<RecordedHelp>(), harness.htmlHelpCalls) << "case " << i;
        EXPECT_EQ(cases[i].bHtml ? std::vector<RecordedHelp>() : winHelpCalls, harness.helpCalls) << "case " << i;
    }
}
