#include <gtest/gtest.h>

#include <algorithm>

#include "document/DataLineRows.h"
#include "document/TextLines.h"
#include "tests/support/DataTextHelpers.h"

namespace {

// Lines of 0 to 17 characters ending in LF, CR LF and CR in turn: a line end
// at every place of eight characters read at once.
std::string EveryLineEndPlace()
{
    const char* const ends[] = { "\n", "\r\n", "\r" };
    std::string text;
    for (int length = 0; length < 18; ++length)
        text += std::string(length, static_cast<char>('a' + length)) + ends[length % 3];
    return text;
}

std::vector<std::string> All(const TextLines& lines)
{
    std::vector<std::string> out;
    for (int i = 0; i < lines.GetSize(); ++i)
        out.push_back(lines[i].str());
    return out;
}

}  // namespace

// A file's text read in pieces of any size gives the lines an archive
// reads, each one a C string too, a line end split between pieces or not.
TEST(TextLines, TextReadInPiecesSplitsAsTheArchiveReads)
{
    const std::string texts[] = {
        /* 0 */ "",
        /* 1 */ "1 2",
        /* 2 */ "1 2\r\n3 4\r\n",
        /* 3 */ "1 2\n3 4\r\n5 6\r7 8 9\r\n9 10",  // a CR alone ends a line too
        /* 4 */ "\r\n\r\n\n",
        /* 5 */ "a\rb\r",
        /* 6 */ std::string("x\0y\r\n\0", 7),     // NULs inside lines are kept
        /* 7 */ "\r",
        /* 8 */ "1 2\r\r\n3 4\r\n5 6\n",
        /* 9 */ std::string(40, '\n') + std::string(70000, 'x') + "\n1 2\n",  // lines 64 KB apart
        /* 10 */ EveryLineEndPlace(),
        /* 11 */ std::string(66000, '7') + std::string(70000, '\n'),  // a start unlike the rest
    };
    // A touch-ahead minimum of 0 has a second thread touch the middle of every text.
    for (std::size_t touchAhead : { TextLines::kTouchAheadMinimum, std::size_t(0) })
    for (std::size_t piece : { 100000, 1, 2, 3, 13 }) {
        for (size_t i = 0; i < sizeof texts / sizeof texts[0]; ++i) {
            const std::string& text = texts[i];
            // A long text one character at a time would only take long.
            if (piece < 13 && text.size() > 100000)
                continue;
            TextLines lines;
            lines.BeginText(text.size(), touchAhead);
            // Each piece an exact-size copy, so that reading past its end is caught.
            for (std::size_t at = 0; at < text.size(); at += piece) {
                const std::vector<char> copy(text.begin() + at, text.begin() + std::min(at + piece, text.size()));
                lines.AppendText(copy.data(), copy.size());
            }
            const std::string row = "text " + std::to_string(i) + " in pieces of " + std::to_string(piece) +
                                    (touchAhead ? "" : ", touched ahead");
            EXPECT_EQ(static_cast<int>(SplitArchiveLines(text).size()), lines.EndText()) << row;
            EXPECT_EQ(SplitArchiveLines(text), All(lines)) << row;
            for (int n = 0; n < lines.GetSize(); ++n)
                EXPECT_EQ('\0', lines[n].data()[lines[n].size()]) << row << " line " << n;
        }
    }
}

TEST(TextLines, LinesChangeInPlaceAndGrow)
{
    TextLines lines;
    lines.SetSize(3, 64);
    lines.SetAtGrow(1, "middle");
    lines.SetAtGrow(0, "a");
    lines.SetAtGrow(4, "past the end");
    EXPECT_EQ((std::vector<std::string>{ "a", "middle", "", "", "past the end" }), All(lines));
    lines.SetAtGrow(1, "m");
    EXPECT_STREQ("m", lines[1]);
    EXPECT_STREQ("past the end", lines[4]) << "the lines after a shorter one moved with it";
    // A line's own characters given back: each new room leaves them as they were.
    lines.SetAtGrow(2, lines[4]);
    lines.SetAtGrow(4, lines[1]);
    lines.Add(lines[2]);
    EXPECT_EQ((std::vector<std::string>{ "a", "m", "past the end", "", "m", "past the end" }), All(lines));
    lines.SetSize(2);
    EXPECT_EQ((std::vector<std::string>{ "a", "m" }), All(lines));
    EXPECT_EQ(64, lines.GetGrowBy());
}

// Lines changed, added and cut anywhere, short or longer than the 64 KB a
// line's start is usually kept in, read back as they were written.
TEST(TextLines, EditsKeepEveryLineWhateverTheirLengths)
{
    const std::string longLine(70000, 'x');
    struct Edit {
        int index;  // the line changed, or -1 to set the number of lines to size
        std::string text;
        int size;
    };
    const Edit edits[] = {
        { -1, "", 100 },         // four blocks of empty lines
        { 40, longLine, 0 },     // a line too long in the middle of a block
        { 3, longLine, 0 },      // the rest of the first block moves past 64 KB
        { 3, "short", 0 },       // and back
        { 70, longLine, 0 },
        { -1, "", 50 },          // cut within the second block: the third goes
        { 120, "past the end", 0 },
        { 64, longLine, 0 },     // the first line of a block
        { 0, longLine, 0 },      { -1, "", 1 },
    };
    TextLines lines;
    std::vector<std::string> model;
    for (std::size_t i = 0; i < sizeof edits / sizeof edits[0]; ++i) {
        const Edit& edit = edits[i];
        if (edit.index < 0) {
            lines.SetSize(edit.size);
            model.resize(edit.size);
        } else {
            lines.SetAtGrow(edit.index, edit.text);
            model.resize(std::max<std::size_t>(model.size(), edit.index + 1));
            model[edit.index] = edit.text;
        }
        EXPECT_EQ(model, All(lines)) << "after edit " << i;
    }
}

// The dialog's rows read the lines as the grid shows them, and keep what the
// grid changes, adds and removes without touching the lines.
TEST(DataLineRows, ShowLinesAndKeepChangesApart)
{
    TextLines lines;
    for (const char* line : { "1, 2", " 3 4", "5\t6", "unused 7" })
        lines.Add(line);
    DataLineRows rows(lines, 3, ',');
    auto all = [&rows] {
        std::vector<std::string> out;
        for (int i = 0; i < rows.Count(); ++i)
            out.push_back(rows.Row(i));
        return out;
    };
    EXPECT_EQ((std::vector<std::string>{ "X Y", "1,2", "3,4", "5,6" }), all());
    rows.SetRow(2, "9,9");
    rows.SetRow(5, ",");  // past the end: an empty row 4 comes first
    rows.RemoveRow(1);
    EXPECT_EQ((std::vector<std::string>{ "X Y", "9,9", "5,6", "", "," }), all());
    rows.SetRow(2, "8,8");
    EXPECT_EQ("8,8", rows.Row(2));
    EXPECT_STREQ("5\t6", lines[2]) << "the lines themselves never change";
}
