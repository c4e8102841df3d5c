#include <gtest/gtest.h>

#include "grid/GridLayout.h"

TEST(GridLayout, RowNumberColumnWidensAtEachNewDigit)
{
    const int cases[][2] = { { 2, 4 }, { 999, 4 }, { 1000, 5 }, { 9999, 5 }, { 10000, 6 }, { 99999, 6 },
                             { 100000, 7 }, { 999999, 7 }, { 1000000, 8 }, { 10000001, 9 },
                             { 2147483647, 11 } };
    for (const auto& c : cases)
        EXPECT_EQ(c[1], RowNumberChars(c[0])) << c[0] << " rows";
}

TEST(GridLayout, ColumnsPerPageCountsWidestFirst)
{
    // Row-number column 40; data columns 50, 100, 30.
    std::vector<int> widths = { 40, 50, 100, 30 };
    EXPECT_EQ(0, ColumnsPerPage(widths, 3, 140)) << "the widest alone reaches the space";
    EXPECT_EQ(1, ColumnsPerPage(widths, 3, 141));
    EXPECT_EQ(1, ColumnsPerPage(widths, 3, 190));
    EXPECT_EQ(2, ColumnsPerPage(widths, 3, 191));
    EXPECT_EQ(3, ColumnsPerPage(widths, 3, 221)) << "all fit";
}
