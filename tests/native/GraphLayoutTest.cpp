#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "graph/GraphLayout.h"
#include "graph/LineReader.h"

namespace {

GraphParams Params(int width, int height, int xIncrements, int yIncrements)
{
    GraphParams g = {};
    g.areaWidth = width;
    g.areaHeight = height;
    g.xIncrements = xIncrements;
    g.yIncrements = yIncrements;
    return g;
}

const AxisScale kFourMinor = { 4, 0, 100, 0 };

}  // namespace

TEST(GraphLayout, TextHeightFollowsScreenAndPrinterRules)
{
    EXPECT_EQ(23, ComputeTextHeight(400, 768, false));
    // On paper the same share of the page gets relatively smaller text.
    EXPECT_EQ(52, ComputeTextHeight(1200, 3358, true));
    EXPECT_EQ(12, ComputeTextHeight(400, 0, false)) << "a zero resolution counts as the whole device";
    EXPECT_EQ(1, ComputeTextHeight(100000, 10, false)) << "never 0, which a font takes as its default size";
    EXPECT_EQ(1, ComputeTextHeight(1, 768, false));
    EXPECT_EQ(35, ComputeTextHeight(750, 1050, false)) << "f x H in single precision: 3450, not 3449.9999";
}

TEST(GraphLayout, SixHundredByFourHundredExample)
{
    GraphLayout layout;
    ASSERT_TRUE(ComputeGraphLayout(Params(600, 400, 5, 4), kFourMinor, kFourMinor, 23, false, layout));
    EXPECT_EQ(6, layout.tickLength);
    EXPECT_EQ(2, layout.gap);
    EXPECT_EQ(114, layout.plotLeft);
    EXPECT_EQ(64, layout.plotBottom);
    EXPECT_EQ(288, layout.plotHeight);
    EXPECT_EQ(420, layout.plotWidth);
    EXPECT_EQ(0, layout.penBase);
}

TEST(GraphLayout, PenBaseOnScreenAndPaper)
{
    GraphParams g = Params(600, 400, 5, 4);
    GraphLayout layout;
    g.lineSize = 1;
    ComputeGraphLayout(g, kFourMinor, kFourMinor, 23, false, layout);
    EXPECT_EQ(1, layout.penBase);
    ComputeGraphLayout(g, kFourMinor, kFourMinor, 23, true, layout);
    EXPECT_EQ(4, layout.penBase);
    g.lineSize = 0;
    ComputeGraphLayout(g, kFourMinor, kFourMinor, 23, true, layout);
    EXPECT_EQ(2, layout.penBase);
}

TEST(GraphLayout, TooSmallAreaHasNoLayout)
{
    GraphLayout layout;
    EXPECT_FALSE(ComputeGraphLayout(Params(30, 20, 5, 4), kFourMinor, kFourMinor, 2, false, layout));
    EXPECT_FALSE(ComputeGraphLayout(Params(0, 0, 5, 4), kFourMinor, kFourMinor, 0, false, layout));
    // Increments so many that one division does not fit.
    EXPECT_FALSE(ComputeGraphLayout(Params(600, 400, 5, 1000000000), kFourMinor, kFourMinor, 23, false, layout));
}

TEST(GraphLayout, OneUnitPerMinorDivisionIsEnough)
{
    // With text 21 high a 602 by 400 area leaves 452 by 308 units for the
    // plot: 4 * 113 and 4 * 77 minor divisions fit exactly, one more does not.
    const struct {
        int xIncrements, yIncrements;
        bool fits;
        int plotWidth, plotHeight;
    } rows[] = { { 5, 77, true, 440, 308 }, { 5, 78, false, 0, 0 },
                 { 113, 4, true, 452, 304 }, { 114, 4, false, 0, 0 } };
    for (const auto& row : rows) {
        GraphLayout layout;
        const bool fits = ComputeGraphLayout(Params(602, 400, row.xIncrements, row.yIncrements), kFourMinor,
                                             kFourMinor, 21, false, layout);
        EXPECT_EQ(row.fits, fits) << row.xIncrements << " by " << row.yIncrements;
        if (row.fits && fits) {
            EXPECT_EQ(row.plotWidth, layout.plotWidth) << row.xIncrements << " by " << row.yIncrements;
            EXPECT_EQ(row.plotHeight, layout.plotHeight) << row.xIncrements << " by " << row.yIncrements;
        }
    }
}

TEST(GraphLayout, MarkerHalfSizeHasAFloor)
{
    EXPECT_EQ(2, MarkerHalfSize(400, 0));
    EXPECT_EQ(3, MarkerHalfSize(400, 1));
    EXPECT_EQ(5, MarkerHalfSize(1000, 0));
    EXPECT_EQ(7, MarkerHalfSize(1000, 1));
    EXPECT_EQ(3, MarkerHalfSize(10, 1));
}

TEST(GraphLayout, PointsMapOntoThePlotAndFarOnesAreHeld)
{
    GraphLayout layout;
    ComputeGraphLayout(Params(600, 400, 5, 4), kFourMinor, kFourMinor, 23, false, layout);
    AxisScale x = { 4, 0, 100, 0 };
    AxisScale y = { 4, 0, 12, -1 };  // 0 to 1.2
    PointMapper map(layout, x, y);
    EXPECT_EQ(114, map.X(0.0f)) << "the axis start maps onto the axis";
    EXPECT_EQ(114 + 420, map.X(100.0f));
    EXPECT_EQ(64, map.Height(0.0f));
    EXPECT_EQ(64 + 288, map.Height(1.2f));
    EXPECT_EQ(64 + 144, map.Height(0.6f));
    EXPECT_EQ(67108864, map.X(3e38f));
    EXPECT_EQ(-67108864, map.Height(-std::numeric_limits<float>::infinity()));
}

TEST(LineReader, SplitsAtEachKindOfLineEnd)
{
    struct {
        std::string text;
        std::vector<std::string> lines;
    } const cases[] = {
        /* 0 */ { "1 2\r\n3 4\r\n", { "1 2", "3 4" } },
        /* 1 */ { "1 2\r\n\r\n3 4", { "1 2", "", "3 4" } },
        /* 2 */ { "1 2\n3 4", { "1 2", "3 4" } },
        /* 3 */ { "10 1\r20 2\r", { "10 1", "20 2" } },
        /* 4 */ { "a\r", { "a" } },
        /* 5 */ { "", {} },
        /* 6 */ { std::string(300, '7'), { std::string(300, '7') } },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        LineReader reader(cases[i].text.data(), cases[i].text.size());
        std::vector<std::string> lines;
        for (std::string line; reader.ReadLine(line);)
            lines.push_back(line);
        EXPECT_EQ(cases[i].lines, lines) << "row " << i;
    }
}
