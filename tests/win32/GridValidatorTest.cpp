// Every change of the editor's text is checked as a number: typed
// characters, Backspace, paste, cut and undo. A refused change is undone in
// one step, with one beep and at most one message, and the editor stays open.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/GridHost.h"

namespace {

// Opens the editor on cell (1, 1) holding text, with the caret at caret
// (-1: all selected).
void OpenWith(GridHost& host, const std::string& text, int caret = -1)
{
    host.rowStrings.SetAt(1, CString(text + "\t2"));
    host.grid->SetCurrentCell(1, 1);
    host.Key(VK_F2, host.Grid());
    if (caret >= 0)
        SendMessageA(host.Editor(), EM_SETSEL, caret, caret);
}

void PutOnClipboard(const char* text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    size_t n = strlen(text) + 1;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
    memcpy(GlobalLock(h), text, n);
    GlobalUnlock(h);
    SetClipboardData(CF_TEXT, h);
    CloseClipboard();
}

}  // namespace

TEST(GridValidator, TypedCharactersFollowTheNumberRules)
{
    struct Case {
        const char* typed;
        const char* expected;
        int beeps;
        const char* message;
    } cases[] = {
        /* 0 */ { "-5", "-5", 0, nullptr },
        /* 1 */ { "+5", "5", 1, nullptr },
        /* 2 */ { "5-", "5", 1, nullptr },
        /* 3 */ { "1.1234567", "1.123456", 1, nullptr },
        /* 4 */ { "0e5", "05", 1, nullptr },
        /* 5 */ { "1e-7", "1e-", 1, nullptr },
        /* 6 */ { "1.5e-5", "1.5e-5", 0, nullptr },
        /* 7 */ { "1234567890123", "123456789012", 1, "Too many characters..." },
        /* 8 */ { "2e21", "2e2", 1, "Maximum value is: 1e+020" },
        /* 9 */ { "-2e21", "-2e2", 1, "Minimum value is: -1e+020" },
        /* 10 */ { "1e1.5", "1e15", 1, nullptr },
        /* 11 */ { "1 2", "12", 1, nullptr },
        /* 12 */ { "3,4", "34", 1, nullptr },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        GridHost host(GridHost::NumberedRows(2));
        host.Type(cases[i].typed, host.Grid());
        EXPECT_EQ(cases[i].expected, host.EditorText()) << "case " << i;
        EXPECT_EQ(cases[i].beeps, host.beeps) << "case " << i;
        if (cases[i].message) {
            ASSERT_EQ(1u, host.boxes.size()) << "case " << i;
            EXPECT_EQ(cases[i].message, host.boxes[0]) << "case " << i;
        } else {
            EXPECT_TRUE(host.boxes.empty()) << "case " << i;
        }
        EXPECT_TRUE(host.grid->m_pEdit->IsOpen()) << "case " << i;
        EXPECT_EQ(host.Editor(), GetFocus()) << "case " << i;
    }
}

TEST(GridValidator, RefusalRestoresTextAndSelectionWithoutRecursion)
{
    GridHost host(GridHost::NumberedRows(2));
    // "e5" is not a number; a '-' at position 0 deletes nothing on undo by
    // Backspace, which used to repeat without end.
    OpenWith(host, "e5", 0);
    host.Char('-');
    EXPECT_EQ("e5", host.EditorText());
    EXPECT_EQ(1, host.beeps);
    OpenWith(host, "12.5");
    host.Char('x');
    EXPECT_EQ("12.5", host.EditorText()) << "the selected text survives a refused key";
    DWORD start = 9, end = 9;
    SendMessageA(host.Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(4u, end);
    OpenWith(host, "3.14159265", 10);
    host.Char('\b');
    EXPECT_EQ("3.1415926", host.EditorText()) << "taking characters out is never refused";
    OpenWith(host, "1e5", 1);
    host.Char('\b');
    EXPECT_EQ("e5", host.EditorText()) << "not even where it leaves no number; OK refuses that";
    EXPECT_EQ(2, host.beeps);
    OpenWith(host, "1.5e19", 2);
    host.Char('\b');
    EXPECT_EQ("1.5e19", host.EditorText()) << "only where it takes the value out of range";
    EXPECT_EQ(3, host.beeps);
    EXPECT_EQ(std::vector<std::string>{ "Maximum value is: 1e+020" }, host.boxes);
}

TEST(GridValidator, PasteCutAndUndoAreChecked)
{
    GridHost host(GridHost::NumberedRows(2));
    OpenWith(host, "7");
    PutOnClipboard("1 2");
    host.Char('\x16');  // Ctrl+V
    EXPECT_EQ("7", host.EditorText());
    SendMessageA(host.Editor(), WM_PASTE, 0, 0);
    EXPECT_EQ("7", host.EditorText());
    {
        HeldKeys shift({ VK_SHIFT });
        host.Key(VK_INSERT);
    }
    EXPECT_EQ("7", host.EditorText());
    EXPECT_EQ(3, host.beeps);
    PutOnClipboard("2.5");
    SendMessageA(host.Editor(), WM_PASTE, 0, 0);
    EXPECT_EQ("2.5", host.EditorText()) << "a number pastes";
    OpenWith(host, "1e5", 0);
    SendMessageA(host.Editor(), EM_SETSEL, 0, 1);
    SendMessageA(host.Editor(), WM_CUT, 0, 0);
    EXPECT_EQ("e5", host.EditorText()) << "a cut only takes out, and is never refused";
    host.Char('\r');
    EXPECT_EQ("e5\t2", host.rowStrings[1].str()) << "the row keeps two fields";
    OpenWith(host, "3");
    SetWindowTextA(host.Editor(), "1 2");  // past every check
    host.Char('\t');
    EXPECT_EQ("3\t2", host.rowStrings[1].str()) << "a text with a delimiter is never stored";
}

TEST(GridValidator, EditorWidensOneCharacterAtATimeUpToTheLimit)
{
    GridHost host(GridHost::NumberedRows(2));
    host.grid->SetCurrentCell(1, 1);
    RECT before;
    host.Type("1", host.Grid());
    GetWindowRect(host.Editor(), &before);
    host.Type("23456789012");
    RECT after;
    GetWindowRect(host.Editor(), &after);
    EXPECT_EQ("123456789012", host.EditorText()) << "twelve digits fit in a narrow column";
    int growth = (after.right - after.left) - (before.right - before.left);
    EXPECT_GT(growth, 0);
    EXPECT_EQ(0, growth % host.grid->m_nCharWidth);
    RECT grid;
    GetWindowRect(host.Grid(), &grid);
    EXPECT_LE(after.right - grid.left, host.grid->m_nDragLimit + 2);
}

TEST(GridValidator, LongValueTakesOneMoreCharacter)
{
    const struct {
        int column;
        const char* cell;
        const char* typed;
        bool pasted;
        bool shownWhole;  // false: no room to widen, the text scrolls
    } cases[] = {
        /* 0 */ { 1, "12345678.12", "3", false, true },
        /* 1 */ { 2, "12345678.12", "3", false, false },
        /* 2 */ { 2, "1", "23456789012", false, false },
        /* 3 */ { 1, "", "123456789012", true, true },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const auto& c = cases[i];
        GridHost host(GridHost::NumberedRows(2));
        CGridCtrl& g = *host.grid;
        host.data.SetCellText(1, c.column, c.cell);
        g.SetCurrentCell(1, c.column);
        host.Key(VK_F2, host.Grid());
        host.Key(VK_END);
        if (c.pasted) {
            PutOnClipboard(c.typed);
            SendMessageA(host.Editor(), WM_PASTE, 0, 0);
        } else {
            host.Type(c.typed);
        }
        EXPECT_EQ(std::string(c.cell) + c.typed, host.EditorText()) << "case " << i;
        RECT rc;
        GetWindowRect(host.Editor(), &rc);
        MapWindowPoints(nullptr, host.Grid(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_LE(rc.right, std::max<LONG>(g.m_nDragLimit, g.m_rcCurrent.right)) << "case " << i;
        if (!c.shownWhole)
            continue;
        RECT format;
        SendMessageA(host.Editor(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        int length = static_cast<int>(host.EditorText().size());
        short first = static_cast<short>(LOWORD(SendMessageA(host.Editor(), EM_POSFROMCHAR, 0, 0)));
        short last = static_cast<short>(LOWORD(SendMessageA(host.Editor(), EM_POSFROMCHAR, length - 1, 0)));
        EXPECT_EQ(format.left, first) << "case " << i;
        EXPECT_LE(last + g.m_nCharWidth, format.right) << "case " << i;
    }
}
