#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/DataTextHelpers.h"

namespace {

struct Case {
    const char* text;
    std::vector<std::string> lines;
};

}  // namespace

TEST(LineSplitter, SplitsAtEachKindOfLineEnd)
{
    const Case cases[] = {
        /* 0 */ { "", {} },
        /* 1 */ { "a", { "a" } },
        /* 2 */ { "a\n", { "a" } },
        /* 3 */ { "a\r\n", { "a" } },
        /* 4 */ { "a\r\nb", { "a", "b" } },
        /* 5 */ { "a\nb\n", { "a", "b" } },
        /* 6 */ { "a\r\n\r\nb", { "a", "", "b" } },
        /* 7 */ { "\n\n", { "", "" } },
        // A CR alone ends the line; the character after it starts the next.
        /* 8 */ { "ab\rcd", { "ab", "cd" } },
        /* 9 */ { "a\r\rb", { "a", "", "b" } },
        /* 10 */ { "a\r", { "a" } },
        /* 11 */ { "\r", { "" } },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].lines, SplitArchiveLines(cases[i].text)) << "row " << i;
}

TEST(LineSplitter, KeepsEmbeddedZeroBytes)
{
    std::string text("a\0b\nc", 5);
    std::vector<std::string> lines = SplitArchiveLines(text);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(std::string("a\0b", 3), lines[0]);
}
