#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "document/DataLines.h"

namespace {

struct Point {
    float x;
    float y;
};

// Sorted by SortPointsByX with the radix sort tried from radixMinimum
// points on, or (bRadixFirst) by the radix sort alone where it can.
std::vector<Point> Sorted(std::vector<Point> points, int radixMinimum = kRadixSortMinimum, bool bRadixFirst = false)
{
    std::vector<float> x;
    std::vector<float> y;
    for (const Point& p : points) {
        x.push_back(p.x);
        y.push_back(p.y);
    }
    int n = static_cast<int>(points.size());
    if (!bRadixFirst || !SortIfDistinct(n, x.data(), y.data()))
        SortPointsByX(n, x.data(), y.data(), radixMinimum);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = { x[i], y[i] };
    return points;
}

// The heapsort as its textbook writes it, one sift loop for both phases: the
// order of equal X must come out exactly as here.
std::vector<Point> TextbookHeapsort(std::vector<Point> points)
{
    Point* A = points.data() - 1;
    int l = static_cast<int>(points.size()) / 2 + 1;
    int ir = static_cast<int>(points.size());
    for (;;) {
        Point t;
        if (l > 1) {
            t = A[--l];
        } else {
            t = A[ir];
            A[ir] = A[1];
            if (--ir == 1) {
                A[1] = t;
                return points;
            }
        }
        int i = l;
        for (int j = l + l; j <= ir; i = j, j += j) {
            if (j < ir && A[j].x < A[j + 1].x)
                ++j;
            if (!(t.x < A[j].x))
                break;
            A[i] = A[j];
        }
        A[i] = t;
    }
}

// Bit for bit: -0 is not 0 here, and a NaN equals itself.
bool operator==(const Point& a, const Point& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::ostream& operator<<(std::ostream& os, const Point& p)
{
    return os << "(" << p.x << ", " << p.y << ")";
}

}  // namespace

TEST(DataLines, SplitsXAtSeparatorsAndTakesYFromTheRest)
{
    struct {
        const char* line;
        LineFault fault;
        float x;
        float y;
    } const cases[] = {
        /* 0 */ { "1 2", LineFault::None, 1, 2 },
        /* 1 */ { "1, 2", LineFault::None, 1, 2 },
        /* 2 */ { "1\t\t2", LineFault::None, 1, 2 },
        /* 3 */ { "1,,2", LineFault::None, 1, 0 },
        /* 4 */ { "1 ,2", LineFault::None, 1, 0 },
        /* 5 */ { "1 2 3", LineFault::None, 1, 2 },
        /* 6 */ { "2.5e-3 -4E2", LineFault::None, 0.0025f, -400 },
        /* 7 */ { "  ,\t7 8", LineFault::None, 7, 8 },
        /* 8 */ { "1.5e3,-2", LineFault::None, 1500, -2 },
        /* 9 */ { "1999.123 0", LineFault::None, 1999.123046875f, 0 },
        /* 10 */ { "1", LineFault::MissingData, 0, 0 },
        /* 11 */ { "1 ", LineFault::MissingData, 0, 0 },
        /* 12 */ { ", ,", LineFault::MissingField, 0, 0 },
        /* 13 */ { "", LineFault::MissingField, 0, 0 },
        /* 14 */ { "abc def", LineFault::None, 0, 0 },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        float x = -99;
        float y = -99;
        LineFault fault = SplitDataLine(cases[i].line, std::strlen(cases[i].line), x, y);
        EXPECT_EQ(cases[i].fault, fault) << "row " << i;
        if (cases[i].fault == LineFault::None) {
            EXPECT_EQ(cases[i].x, x) << "row " << i;
            EXPECT_EQ(cases[i].y, y) << "row " << i;
        }
    }
}

TEST(DataLines, RefusesLinesLongerThanTheWorkBufferInsteadOfCuttingThem)
{
    std::string line = "1 " + std::string(81, '2');
    float x;
    float y;
    EXPECT_EQ(LineFault::None, SplitDataLine(line.data(), line.size(), x, y)) << "83 characters fit";
    line += '5';
    EXPECT_EQ(LineFault::TooLong, SplitDataLine(line.data(), line.size(), x, y));
    EXPECT_EQ("Line 12 is longer than 83 characters...", LineFaultMessage(LineFault::TooLong, 12));
}

TEST(DataLines, MessagesCarryTheLineNumber)
{
    EXPECT_EQ("Line 2 has missing data...", LineFaultMessage(LineFault::MissingData, 2));
    EXPECT_EQ("Line 10 is missing...", LineFaultMessage(LineFault::MissingField, 10));
}

TEST(DataLines, ConvertStopsAtTheFirstFaultyLine)
{
    std::vector<std::string> lines = { "1 2", "3", ", ," };
    std::vector<float> x(3);
    std::vector<float> y(3);
    ConvertResult r = ConvertDataLines(3, [&](int i) -> const std::string& { return lines[i]; }, x.data(), y.data());
    EXPECT_EQ(LineFault::MissingData, r.fault);
    EXPECT_EQ(1, r.line);
}

// Enough lines for the second thread: every value lands in its place, and the
// fault reported is the first one, in whichever half it lies.
TEST(DataLines, ConvertOnTwoThreadsGivesTheSameResult)
{
    const int n = 100001;
    std::vector<std::string> lines(n);
    for (int i = 0; i < n; ++i)
        lines[i] = std::to_string(i) + " -" + std::to_string(i) + ".5";
    auto getLine = [&](int i) -> const std::string& { return lines[i]; };
    std::vector<float> x(n);
    std::vector<float> y(n);
    ConvertResult r = ConvertDataLinesOnTwoThreads(n, getLine, x.data(), y.data());
    EXPECT_EQ(LineFault::None, r.fault);
    for (int i = 0; i < n; i += 997)
        ASSERT_TRUE(x[i] == i && y[i] == -i - 0.5f) << "line " << i << ": " << x[i] << ", " << y[i];
    EXPECT_TRUE(x[n - 1] == n - 1 && y[n - 1] == -(n - 1) - 0.5f);

    const struct {
        int faulty[2];  // -1 for none
        LineFault fault;
        int line;
    } cases[] = {
        /* 0 */ { { 90000, -1 }, LineFault::MissingData, 90000 },
        /* 1 */ { { 20, 90000 }, LineFault::MissingData, 20 },
        /* 2 */ { { 50000, 50001 }, LineFault::MissingData, 50000 },
    };
    for (std::size_t c = 0; c < sizeof cases / sizeof cases[0]; ++c) {
        std::vector<std::string> faulty = lines;
        for (int line : cases[c].faulty) {
            if (line >= 0)
                faulty[line] = "7";
        }
        r = ConvertDataLinesOnTwoThreads(n, [&](int i) -> const std::string& { return faulty[i]; }, x.data(),
                                         y.data());
        EXPECT_EQ(cases[c].fault, r.fault) << "row " << c;
        EXPECT_EQ(cases[c].line, r.line) << "row " << c;
    }
}

TEST(DataLines, SortOrdersByXAndKeepsPairsTogether)
{
    EXPECT_EQ((std::vector<Point>{ { 1, 1 }, { 2, 4 }, { 3, 9 } }), Sorted({ { 3, 9 }, { 1, 1 }, { 2, 4 } }));
    // Equal X: the order is the one the heapsort gives, and the curve shows it.
    EXPECT_EQ((std::vector<Point>{ { 1, 7 }, { 1, 5 } }), Sorted({ { 1, 5 }, { 1, 7 } }));
    EXPECT_EQ((std::vector<Point>{ { 1, 6 }, { 1, 7 }, { 1, 5 } }), Sorted({ { 1, 5 }, { 1, 6 }, { 1, 7 } }));
}

TEST(DataLines, AscendingDataKeepTheirOrderUnlessTwoXAreEqual)
{
    std::vector<Point> ascending = { { -2, 9 }, { 0, 1 }, { 0.5f, 7 }, { 3, 3 }, { 8, 0 } };
    EXPECT_EQ(ascending, Sorted(ascending));
    // Ascending but not strictly: the heapsort swaps the equal pair.
    EXPECT_EQ((std::vector<Point>{ { 1, 1 }, { 2, 3 }, { 2, 2 }, { 4, 4 } }),
              Sorted({ { 1, 1 }, { 2, 2 }, { 2, 3 }, { 4, 4 } }));
}

TEST(DataLines, SortGivesAscendingPermutationOfRandomPoints)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        int n = 2 + static_cast<int>(rng() % 300);
        std::vector<Point> points;
        for (int i = 0; i < n; ++i)
            points.push_back({ static_cast<float>(rng() % 50), static_cast<float>(i) });
        std::vector<Point> sorted = Sorted(points);
        ASSERT_EQ(TextbookHeapsort(points), sorted) << "round " << round << ": equal X in another order";
        std::vector<bool> seen(n, false);
        for (int i = 0; i < n; ++i) {
            int original = static_cast<int>(sorted[i].y);
            ASSERT_FALSE(seen[original]) << "round " << round;
            seen[original] = true;
            EXPECT_EQ(points[original].x, sorted[i].x) << "round " << round << ": X moved without its Y";
            if (i > 0) {
                ASSERT_LE(sorted[i - 1].x, sorted[i].x) << "round " << round << " at " << i;
            }
        }
    }
}

TEST(DataLines, RangeOfConstantSeriesIsWidenedInSinglePrecision)
{
    std::uint32_t bits;
    std::memcpy(&bits, &kRangeWidening, sizeof bits);
    EXPECT_EQ(0x3F800150u, bits);

    struct {
        std::vector<float> values;
        double lo;
        double hi;
    } const cases[] = {
        /* 0 */ { { 3, -1, 8, 2 }, -1, 8 },
        /* 1 */ { { 5, 5 }, 5, 5.000200271606445 },
        /* 2 */ { { -2, -2, -2 }, -2, -2.000080108642578 },
        /* 3 */ { { 0, 0 }, 0, 0 },
        /* 4 */ { { 1999.123f, 1999.123f }, 1999.123046875, static_cast<float>(1999.123046875f * kRangeWidening) },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        double range[2];
        ComputeRange(cases[i].values.data(), static_cast<int>(cases[i].values.size()), range);
        EXPECT_EQ(cases[i].lo, range[0]) << "row " << i;
        EXPECT_EQ(cases[i].hi, range[1]) << "row " << i;
    }
}

TEST(DataLines, GridRowShowsTheFieldsTheConversionReads)
{
    struct {
        const char* line;
        char separator;
        const char* row;
    } const cases[] = {
        /* 0 */ { "1 2", ' ', "1 2" },
        /* 1 */ { "1, 2", ',', "1,2" },
        /* 2 */ { "1\t\t2", '\t', "1\t2" },
        /* 3 */ { " 1 2", ' ', "1 2" },
        /* 4 */ { "1 2 3", ' ', "1 2" },        // the conversion reads 2
        /* 5 */ { "-1.5e3,\t7", ',', "-1.5e3,7" },
        /* 6 */ { "3", ' ', "3 " },             // no Y: an empty Y cell, to be filled in
        /* 7 */ { "3 ", ' ', "3 " },
        /* 8 */ { "", ' ', " " },
        /* 9 */ { " 3", ' ', "3 " },            // X = 3, never under Y
        /* 10 */ { ",5", ',', "5," },
        /* 11 */ { "1,,2", ',', "1,0" },         // the conversion reads Y = 0
        /* 12 */ { "1 ,2", ' ', "1 0" },
        /* 13 */ { "1  ", ' ', "1 0" },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].row, DataLineToGridRow(cases[i].line, cases[i].separator)) << "row " << i;
}

// Every way through the sort against the textbook heapsort: the radix sort
// where every X differs, the heapsort where the sample or the radix sort
// finds two equal as numbers.
TEST(DataLines, EveryWayThroughTheSortGivesTheHeapsortsResult)
{
    std::mt19937 rng(11);
    auto points = [&](int n, auto xOf) {
        std::vector<Point> made;
        for (int i = 0; i < n; ++i)
            made.push_back({ xOf(i), static_cast<float>(i) });
        return made;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<Point> lastPairEqual = points(5000, [](int i) { return static_cast<float>(i); });
    lastPairEqual.back().x = lastPairEqual[lastPairEqual.size() - 2].x;
    // Descending, with one equal pair between the neighbours the sample
    // takes (0 and 1, then 5 and 6): only the radix sort finds it.
    std::vector<Point> pairTheSampleMisses = points(3 * kRepeatSample, [](int i) { return -static_cast<float>(i); });
    pairTheSampleMisses[4].x = pairTheSampleMisses[3].x;
    const struct {
        const char* name;
        std::vector<Point> points;
    } cases[] = {
        { "descending", points(50000, [](int i) { return -i * 0.25f; }) },
        { "random distinct", points(50000, [&](int i) { return (i * 7919 % 50000) * 0.01f - 3 + (rng() % 2) * 0.001f; }) },
        { "many equal", points(50000, [&](int) { return static_cast<float>(rng() % 500); }) },
        { "all equal", points(3000, [](int) { return 2.5f; }) },
        { "two points", { { 3, 0 }, { -1, 1 } } },
        { "-0 before 0", { { -0.0f, 0 }, { 0.0f, 1 } } },
        { "infinities", { { inf, 0 }, { 1, 1 }, { -inf, 2 }, { 0, 3 } } },
        { "NaN", { { 1, 0 }, { nan, 1 }, { 2, 2 }, { 3, 3 } } },
        { "ascending, the last pair equal", lastPairEqual },
        { "an equal pair the sample misses", pairTheSampleMisses },
    };
    for (const auto& c : cases) {
        std::vector<Point> expected = TextbookHeapsort(c.points);
        EXPECT_EQ(expected, Sorted(c.points, kRadixSortMinimum, true)) << c.name << ", the radix sort first";
        EXPECT_EQ(expected, Sorted(c.points, 2)) << c.name << ", the radix sort tried from two points";
    }
}
