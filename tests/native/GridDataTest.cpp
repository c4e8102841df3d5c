#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/GridData.h"

namespace {

struct Store {
    GridVectorRows rows;
    CGridData data;

    explicit Store(std::vector<std::string> text, int nColumns = 2)
    {
        rows.rows = std::move(text);
        data.m_pRows = &rows;
        data.SetSize(static_cast<int>(rows.rows.size()), nColumns);
    }
};

}  // namespace

TEST(GridData, SetSizeClampsAndFillsRowOne)
{
    Store s({ "X Y", "old" });
    s.data.SetSize(1, 2);
    EXPECT_EQ(2, s.data.GetRowCount());
    EXPECT_EQ("\t", s.rows.rows[1]);
    EXPECT_EQ("", s.data.GetCellText(1, 1));
    EXPECT_EQ("", s.data.GetCellText(1, 2));
    EXPECT_EQ("X Y", s.rows.rows[0]);
    s.data.SetSize(5, 0);
    EXPECT_EQ(5, s.data.GetRowCount());
    EXPECT_EQ(1, s.data.GetColumnCount());
    EXPECT_EQ("", s.data.EmptyRowText());
    EXPECT_EQ(0, s.data.m_bModified);
}

TEST(GridData, ReadsFieldsAtEveryDelimiter)
{
    struct Case {
        const char* row;
        int column;
        const char* expected;
    } cases[] = {
        /* 0 */ { "1.5\t2", 1, "1.5" },
        /* 1 */ { "1.5\t2", 2, "2" },
        /* 2 */ { "1.5,,2", 2, "" },
        /* 3 */ { "1.5,,2", 3, "2" },
        /* 4 */ { "1.5\t2", 0, "" },
        /* 5 */ { "1.5\t2", 3, "" },   // beyond the last field
        /* 6 */ { "", 1, "" },
        /* 7 */ { "a b", 2, "b" },
        /* 8 */ { "1.5\t", 2, "" },
        /* 9 */ { "1.5\t", 3, "" },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        Store s({ "X Y", cases[i].row });
        EXPECT_EQ(cases[i].expected, s.data.GetCellText(1, cases[i].column)) << "case " << i;
    }
    Store s({ "X Y" , "1 2" });
    EXPECT_EQ("", s.data.GetCellText(7, 1)) << "row outside the list";
    EXPECT_EQ("", s.data.GetCellText(-1, 1));
}

TEST(GridData, WritesKeepTheDelimitersAroundTheCell)
{
    struct Case {
        const char* row;
        int column;
        const char* text;
        bool remove;
        const char* expected;
    } cases[] = {
        /* 0 */ { "1 2", 1, "33", false, "33 2" },
        /* 1 */ { "1 2", 2, "", false, "1 " },
        /* 2 */ { "1,,3", 2, "7", false, "1,7,3" },
        /* 3 */ { "1.5\t2", 2, "", true, "1.5\t" },
        /* 4 */ { "1.5\t2", 1, "", true, "2" },
        /* 5 */ { "1", 3, "9", false, "1\t\t9" },  // missing fields are made
        /* 6 */ { "1", 3, "", true, "1" },         // nothing to remove
        /* 7 */ { "", 1, "4", false, "4" },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        Store s({ "X Y", cases[i].row });
        s.data.SetCellText(1, cases[i].column, cases[i].text, cases[i].remove);
        EXPECT_EQ(cases[i].expected, s.rows.rows[1]) << "case " << i;
    }
}

TEST(GridData, EveryChangeSetsModifiedButNotOutsideWrites)
{
    Store s({ "X Y", "1 2" });
    s.data.SetCellText(9, 1, "5");
    s.data.SetCellText(1, 0, "5");
    EXPECT_EQ(0, s.data.m_bModified);
    s.data.SetCellText(1, 1, "1");
    EXPECT_EQ(1, s.data.m_bModified) << "same text still counts as a change";
    EXPECT_EQ("1 2", s.rows.rows[1]);
}

// A write of the text a cell already has is no change; removed rows and
// columns move the changes after them.
TEST(GridData, ChangedCellsMoveWithTheirRowsAndColumns)
{
    Store s({ "X Y Z", "1 2 3", "4 5 6", "7 8 9" }, 3);
    s.data.SetCellText(1, 1, "1");
    s.data.SetCellText(3, 1, "70");
    s.data.SetCellText(3, 3, "90");
    s.data.SetCellText(2, 2, "50");
    s.data.RemoveRow(2);
    s.data.RemoveColumn(1);
    std::string changed;
    for (int row = 0; row < 4; ++row) {
        for (int column = 1; column <= 3; ++column)
            changed += s.data.IsCellChanged(row, column) ? std::to_string(row) + "," + std::to_string(column) + " " : "";
    }
    EXPECT_EQ("2,2 ", changed) << "70 went with its column, 50 with its row; 90 moved to 2,2";
}

TEST(GridData, RowCommandsKeepCountsAndList)
{
    Store s({ "X Y", "1 2", "3 4" });
    s.data.AddRow();
    ASSERT_EQ(4, s.data.GetRowCount());
    ASSERT_EQ(4u, s.rows.rows.size());
    EXPECT_EQ("\t", s.rows.rows[3]);
    s.data.RemoveRow(1);
    EXPECT_EQ(3, s.data.GetRowCount());
    EXPECT_EQ("3 4", s.rows.rows[1]);
    s.data.RemoveRow(0);
    s.data.RemoveRow(3);
    EXPECT_EQ(3, s.data.GetRowCount()) << "title row and rows outside are kept";
    s.data.RemoveRow(1);
    s.data.RemoveRow(1);
    EXPECT_EQ(2, s.data.GetRowCount()) << "the last data row stays";
    ASSERT_EQ(2u, s.rows.rows.size());
}

TEST(GridData, AddRowOverwritesSpareStringOfLongerList)
{
    Store s({ "X Y", "1 2", "spare" });
    s.data.SetSize(2, 2);
    s.data.AddRow();
    EXPECT_EQ(3u, s.rows.rows.size());
    EXPECT_EQ("\t", s.rows.rows[2]);
}

TEST(GridData, ColumnCommands)
{
    Store s({ "X Y", "1.5\t2" });
    s.data.AddColumn();
    EXPECT_EQ(3, s.data.GetColumnCount());
    EXPECT_EQ("X Y\t", s.rows.rows[0]);
    EXPECT_EQ("", s.data.GetCellText(0, 3));
    s.data.RemoveColumn(3);
    s.data.RemoveColumn(2);
    EXPECT_EQ(1, s.data.GetColumnCount());
    EXPECT_EQ("X ", s.rows.rows[0]);
    EXPECT_EQ("1.5\t", s.rows.rows[1]);
    s.data.RemoveColumn(1);
    EXPECT_EQ(1, s.data.GetColumnCount()) << "the last column stays";
    EXPECT_EQ("1.5", s.data.GetCellText(1, 1));
}

TEST(GridData, RemoveFirstColumnLeavesSecond)
{
    Store s({ "X Y", "1.5\t2" });
    s.data.RemoveColumn(1);
    EXPECT_EQ("2", s.rows.rows[1]);
    EXPECT_EQ("Y", s.data.GetCellText(0, 1));
}
