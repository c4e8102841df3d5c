#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/DataText.h"
#include "tests/support/DataTextHelpers.h"

namespace {

DataTextResult Parse(const std::string& text, DataTextSettings& settings)
{
    std::vector<std::string> lines = SplitArchiveLines(text);
    return ParseDataText(static_cast<int>(lines.size()), [&](int i) -> const std::string& { return lines[i]; },
                         settings);
}

}  // namespace

TEST(DataText, ReadsDataTitleLabelsAndSettings)
{
    DataTextSettings s = NewDocumentSettings();
    DataTextResult r = Parse("1 2\r\n2 5\r\n3 9\r\n\r\nTitle\r\nX\r\nY\r\n6 3 2 1 2\r\n1 0\r\n1 -5 50\r\n1 1e+006 2.5e-007", s);
    EXPECT_EQ(DataTextFault::None, r.fault);
    EXPECT_EQ(3, r.dataCount);
    EXPECT_EQ(' ', r.separator);
    EXPECT_EQ("Title", s.title);
    EXPECT_EQ("X", s.xLabel);
    EXPECT_EQ("Y", s.yLabel);
    EXPECT_EQ(6, s.xIncrements);
    EXPECT_EQ(3, s.yIncrements);
    EXPECT_EQ(2, s.pointType);
    EXPECT_EQ(1, s.pointSize);
    EXPECT_EQ(2, s.lineType);
    EXPECT_EQ(1, s.lineSize);
    EXPECT_EQ(0, s.showGrid);
    EXPECT_EQ(1, s.useYScale);
    EXPECT_EQ(-5.0, s.yMin);
    EXPECT_EQ(50.0, s.yMax);
    EXPECT_EQ(1, s.useXScale);
    EXPECT_EQ(1e6, s.xMin);
    EXPECT_EQ(2.5e-7, s.xMax);
    EXPECT_EQ(1, s.settingsLoaded);
}

TEST(DataText, DataOnlyKeepsDefaults)
{
    DataTextSettings s = NewDocumentSettings();
    DataTextResult r = Parse("1 2\r\n3 4\r\n", s);
    EXPECT_EQ(DataTextFault::None, r.fault);
    EXPECT_EQ(2, r.dataCount);
    EXPECT_EQ("Graph Title", s.title);
    EXPECT_EQ(0, s.settingsLoaded);
}

TEST(DataText, ShortSettingsLineSetsOnlyItsFields)
{
    DataTextSettings s = NewDocumentSettings();
    Parse("1 2\r\n3 4\r\n\r\nT\r\nX\r\nY\r\n7  8   \r\n1", s);
    EXPECT_EQ(7, s.xIncrements);
    EXPECT_EQ(8, s.yIncrements);
    EXPECT_EQ(1, s.pointType);
    EXPECT_EQ(0, s.pointSize);
    EXPECT_EQ(1, s.lineType);
    EXPECT_EQ(1, s.lineSize);
    EXPECT_EQ(1, s.showGrid);
    EXPECT_EQ(1, s.settingsLoaded);
}

TEST(DataText, SettingsFieldsAreSeparatedBySpacesOnly)
{
    DataTextSettings s = NewDocumentSettings();
    Parse("1 2\r\n3 4\r\n\r\nT\r\nX\r\nY\r\n  6\t9 3 1 2 extra", s);
    EXPECT_EQ(6, s.xIncrements) << "the tab is part of the first field";
    EXPECT_EQ(3, s.yIncrements);
    EXPECT_EQ(1, s.pointType);
    EXPECT_EQ(2, s.pointSize);
    EXPECT_EQ(0, s.lineType) << "the last value is read from the rest of the line";
}

TEST(DataText, RefusesBadTextsWithTheirMessages)
{
    struct {
        const char* text;
        DataTextFault fault;
    } const cases[] = {
        /* 0 */ { "1 2\r\n\r\n3 4\r\n\r\nT", DataTextFault::TwoBlankLines },
        /* 1 */ { "1 2\r\n3 4\r\n\r\nT\r\n\r\nY", DataTextFault::TwoBlankLines },
        /* 2 */ { "1 2\r\n3 4\r\n\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8", DataTextFault::TwoBlankLines },
        /* 3 */ { "", DataTextFault::NotEnoughData },
        /* 4 */ { "\r\nT\r\nX", DataTextFault::NotEnoughData },
        /* 5 */ { "1 2\r\n\r\nT", DataTextFault::NotEnoughData },
        /* 6 */ { "X Y\r\n1 2\r\n3 4", DataTextFault::NotDataFile },
        /* 7 */ { "1,5;2\r\n3 4", DataTextFault::NotDataFile },
        /* 8 */ { "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8", DataTextFault::TwoBlankLines },
        /* 9 */ { "1 2\r\nX 4\r\n\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8", DataTextFault::NotDataFile },
        /* 10 */ { "X Y\r\n1 2\r\n\r\nT\r\n\r\nY", DataTextFault::TwoBlankLines },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        DataTextSettings s = NewDocumentSettings();
        EXPECT_EQ(cases[i].fault, Parse(cases[i].text, s).fault) << "row " << i;
    }
}

TEST(DataText, SettingsOutsideTheirRangeTakeTheNewDocumentsValues)
{
    // Increments of 1 or less are kept for the document to choose from the data.
    struct {
        const char* lines;  // the two settings lines after the labels
        int xInc, yInc, pointType, pointSize, lineType, lineSize, showGrid;
    } const cases[] = {
        /* 0 */ { "10 2 3 1 2\r\n1 0", 10, 2, 3, 1, 2, 1, 0 },
        /* 1 */ { "5 4 1 2147483647 1\r\n0 1", 5, 4, 1, 0, 1, 0, 1 },
        /* 2 */ { "5 4 1 0 1\r\n2000000000 1", 5, 4, 1, 0, 1, 0, 1 },
        /* 3 */ { "1 11 4 -1 3\r\n-1 2", 1, 4, 1, 0, 1, 0, 1 },
        /* 4 */ { "-2147483648 0 -1 2 -5\r\n2 -1", -2147483647 - 1, 0, 1, 0, 1, 0, 1 },
        /* 5 */ { "11 2147483647 1 0 1\r\n0 1", 5, 4, 1, 0, 1, 0, 1 },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        DataTextSettings s = NewDocumentSettings();
        Parse(std::string("1 2\r\n3 4\r\n\r\nT\r\nX\r\nY\r\n") + cases[i].lines + "\r\n7 1 2\r\n-3 5 6", s);
        BringSettingsIntoRange(s);
        EXPECT_EQ(cases[i].xInc, s.xIncrements) << "row " << i;
        EXPECT_EQ(cases[i].yInc, s.yIncrements) << "row " << i;
        EXPECT_EQ(cases[i].pointType, s.pointType) << "row " << i;
        EXPECT_EQ(cases[i].pointSize, s.pointSize) << "row " << i;
        EXPECT_EQ(cases[i].lineType, s.lineType) << "row " << i;
        EXPECT_EQ(cases[i].lineSize, s.lineSize) << "row " << i;
        EXPECT_EQ(cases[i].showGrid, s.showGrid) << "row " << i;
        EXPECT_EQ(1, s.useYScale) << "row " << i << ": a flag of 7 is set";
        EXPECT_EQ(1, s.useXScale) << "row " << i << ": so is one of -3";
        EXPECT_EQ(1.0, s.yMin) << "row " << i << ": limits are left alone";
        EXPECT_EQ(6.0, s.xMax) << "row " << i;
    }
}

TEST(DataText, EightLinesAfterDataAreAllowed)
{
    DataTextSettings s = NewDocumentSettings();
    EXPECT_EQ(DataTextFault::None, Parse("1 2\r\n3 4\r\n\r\nT\r\nX\r\nY\r\n5 4 1 0 1\r\n0 1\r\n0 2 4\r\n0 1 3", s).fault);
}

TEST(DataText, SeparatorIsTheMostFrequentWithTiesToSpaceThenTab)
{
    struct {
        const char* text;
        char separator;
    } const cases[] = {
        /* 0 */ { "1\t2\r\n3\t4", '\t' },
        /* 1 */ { "1 2\r\n3\t4", ' ' },
        /* 2 */ { "1,2\r\n3,4", ',' },
        /* 3 */ { "1, 2\r\n3, 4", ' ' },
        /* 4 */ { "1\t,2\r\n3\t4", '\t' },
        /* 5 */ { "1,,2\r\n3 4", ',' },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        DataTextSettings s = NewDocumentSettings();
        EXPECT_EQ(cases[i].separator, Parse(cases[i].text, s).separator) << "row " << i;
    }
}

// Long texts are checked in two halves at once: both halves count.
TEST(DataText, EveryLineOfALongTextIsCheckedAndCounted)
{
    std::string text;
    for (int i = 0; i < 30000; ++i)
        text += "1 2\r\n";
    for (int i = 0; i < 30000; ++i)
        text += "1,,2\r\n";
    DataTextSettings s = NewDocumentSettings();
    DataTextResult r = Parse(text + "\r\nTitle", s);
    EXPECT_EQ(DataTextFault::None, r.fault);
    EXPECT_EQ(60000, r.dataCount);
    EXPECT_EQ(',', r.separator);
    EXPECT_EQ("Title", s.title);
    for (std::size_t at : { std::size_t(40), text.size() - 9 }) {
        std::string faulty = text;
        faulty[at] = 'x';
        EXPECT_EQ(DataTextFault::NotDataFile, Parse(faulty, s).fault) << "x at " << at;
    }
}

// A line is counted in runs of 65535 bytes: a count or a stray byte past a
// run's end is the line's all the same.
TEST(DataText, LinesLongerThanOneRunAreCheckedAndCountedWhole)
{
    auto line = [](std::size_t n, char separator) { return std::string(n, separator) + "2\r\n"; };
    struct {
        std::string text;
        DataTextFault fault;
        char separator;
    } const cases[] = {
        /* 0 */ { line(65536, '\t') + line(100, ' '), DataTextFault::None, '\t' },
        /* 1 */ { line(65536, ' ') + line(100, '\t'), DataTextFault::None, ' ' },
        /* 2 */ { line(66000, ' ') + "3 x4", DataTextFault::NotDataFile, ' ' },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        DataTextSettings s = NewDocumentSettings();
        DataTextResult r = Parse(cases[i].text, s);
        EXPECT_EQ(cases[i].fault, r.fault) << "row " << i;
        EXPECT_EQ(cases[i].separator, r.separator) << "row " << i;
    }
}

TEST(DataText, LongTextLinesAreCutTo79Characters)
{
    DataTextSettings s = NewDocumentSettings();
    Parse("1 2\r\n3 4\r\n\r\n" + std::string(200, 'T') + "\r\nX", s);
    EXPECT_EQ(std::string(79, 'T'), s.title);
}

TEST(DataText, TrailerHasTheExactLayout)
{
    DataTextSettings s = NewDocumentSettings();
    s.yMin = 2;
    s.yMax = 9;
    s.xMin = 1;
    s.xMax = 3;
    EXPECT_EQ("\r\nGraph Title\r\nX Axis Label\r\nY Axis Label\r\n5 4 1 0 1\r\n0 1\r\n0 2 9\r\n0 1 3",
              FormatDataTextTrailer(s));
    s.yMin = 1e6;
    s.yMax = 1234567.0;
    s.xMin = -0.000015;
    s.xMax = 0.5;
    EXPECT_NE(std::string::npos, FormatDataTextTrailer(s).find("\r\n0 1e+006 1.23457e+006\r\n0 -1.5e-005 0.5"));
}

TEST(DataText, EmptyTextsAreWrittenAsOneSpaceAndReadBack)
{
    DataTextSettings s = NewDocumentSettings();
    s.title = "";
    s.yLabel = "";
    std::string file = "1 2\r\n3 4\r\n" + FormatDataTextTrailer(s);
    DataTextSettings back = NewDocumentSettings();
    DataTextResult r = Parse(file, back);
    ASSERT_EQ(DataTextFault::None, r.fault);
    EXPECT_EQ(" ", back.title);
    EXPECT_EQ("X Axis Label", back.xLabel);
    EXPECT_EQ(" ", back.yLabel);
}

TEST(DataText, WrittenSettingsReadBackRoundedToSixDigits)
{
    DataTextSettings s = { "T", "X", "Y", 7, 3, 2, 1, 0, 1, 0, 1, -1.23456789, 98765.4321, 0, 1e-9, 3e12, 1 };
    std::string file = "1 2\r\n3 4\r\n" + FormatDataTextTrailer(s);
    DataTextSettings back = NewDocumentSettings();
    ASSERT_EQ(DataTextFault::None, Parse(file, back).fault);
    EXPECT_EQ(7, back.xIncrements);
    EXPECT_EQ(3, back.yIncrements);
    EXPECT_EQ(2, back.pointType);
    EXPECT_EQ(1, back.pointSize);
    EXPECT_EQ(0, back.lineType);
    EXPECT_EQ(1, back.lineSize);
    EXPECT_EQ(0, back.showGrid);
    EXPECT_EQ(1, back.useYScale);
    EXPECT_EQ(-1.23457, back.yMin);
    EXPECT_EQ(98765.4, back.yMax);
    EXPECT_EQ(0, back.useXScale);
    EXPECT_EQ(1e-9, back.xMin);
    EXPECT_EQ(3e12, back.xMax);
}
