#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "graph/AxisScale.h"
#include "graph/TrendLine.h"

namespace {

struct Point {
    float x, y;
};

// An axis from minLabel to maxLabel times 10^exponent.
AxisScale Axis(int minLabel, int maxLabel, int exponent = 0)
{
    return AxisScale{ 4, minLabel, maxLabel, exponent };
}

const AxisScale kTenUnits = Axis(0, 10);

struct Fit {
    TrendFit result;
    float endX[2];
    float endY[2];
    float a, b;
};

GraphParams RecordOf(std::vector<float>& xs, std::vector<float>& ys)
{
    GraphParams params = {};
    params.pointCount = static_cast<int>(xs.size());
    params.xValues = xs.empty() ? nullptr : xs.data();
    params.yValues = ys.empty() ? nullptr : ys.data();
    return params;
}

// Fits with every output first set to a value the fit never gives, so that an
// output left alone shows.
Fit FitPoints(std::vector<float> xs, std::vector<float> ys, const AxisScale& xScale, const AxisScale& yScale)
{
    Fit fit = { TrendFit::Drawn, { 777.0f, 777.0f }, { 777.0f, 777.0f }, 777.0f, 777.0f };
    fit.result = FitTrendLine(RecordOf(xs, ys), xScale, yScale, fit.endX, fit.endY, fit.a, fit.b);
    return fit;
}

Fit FitPoints(const std::vector<Point>& points, const AxisScale& xScale, const AxisScale& yScale)
{
    std::vector<float> xs, ys;
    for (const Point& p : points) {
        xs.push_back(p.x);
        ys.push_back(p.y);
    }
    return FitPoints(xs, ys, xScale, yScale);
}

const char* Name(TrendFit fit)
{
    switch (fit) {
    case TrendFit::Drawn:
        return "Drawn";
    case TrendFit::AllXEqual:
        return "AllXEqual";
    case TrendFit::OutsideYRange:
        return "OutsideYRange";
    }
    return "?";
}

// The ends of a fit that draws nothing are all 0.
void ExpectNoEnds(const Fit& fit, std::size_t row)
{
    EXPECT_EQ(0.0f, fit.endX[0]) << "row " << row;
    EXPECT_EQ(0.0f, fit.endX[1]) << "row " << row;
    EXPECT_EQ(0.0f, fit.endY[0]) << "row " << row;
    EXPECT_EQ(0.0f, fit.endY[1]) << "row " << row;
}

}  // namespace

TEST(TrendLine, FitsTheLeastSquaresLineAndWritesItsEquation)
{
    struct {
        std::vector<Point> points;
        float a, b;
        const char* equation;
    } cases[] = {
        /* 0 */ { { { 1, 2 }, { 2, 4 }, { 3, 6 } }, 0.0f, 2.0f, "Y = 0 + 2 X" },
        /* 1 */ { { { 0, 5 }, { 1, 3 }, { 2, 1 } }, 5.0f, -2.0f, "Y = 5 - 2 X" },
        /* 2 */ { { { 0, 3 }, { 1, 3 }, { 2, 3 } }, 3.0f, 0.0f, "Y = 3 + 0 X" },
        /* 3 */ { { { 0, 1 }, { 1, 3 }, { 2, 2 }, { 3, 5 } }, 1.1f, 1.1f, "Y = 1.1 + 1.1 X" },
        /* 4 */ { { { 1, 0.5f }, { 2, 2.5f } }, -1.5f, 2.0f, "Y = -1.5 + 2 X" },
        /* 5 */ { { { 2, 2 }, { 4, 3 }, { 6, 1 }, { 8, 2 } }, 2.5f, -0.1f, "Y = 2.5 - 0.1 X" },
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        Fit fit = FitPoints(cases[i].points, kTenUnits, kTenUnits);
        EXPECT_STREQ("Drawn", Name(fit.result)) << "row " << i;
        EXPECT_FLOAT_EQ(cases[i].a, fit.a) << "row " << i;
        EXPECT_FLOAT_EQ(cases[i].b, fit.b) << "row " << i;
        EXPECT_EQ(cases[i].equation, TrendEquationText(fit.a, fit.b)) << "row " << i;
    }
}

TEST(TrendLine, WritesEquationsWithFourDigitsAndThreeDigitExponents)
{
    struct {
        float a, b;
        const char* expected;
    } cases[] = {
        /* 0 */ { 1e6f, 2.5e-5f, "Y = 1e+006 + 2.5e-005 X" },
        /* 1 */ { 3.14159265f, -2.71828183f, "Y = 3.142 - 2.718 X" },
        /* 2 */ { 0.0f, -1234567.0f, "Y = 0 - 1.235e+006 X" },
        /* 3 */ { -12345.678f, 0.5f, "Y = -1.235e+004 + 0.5 X" },
        /* 4 */ { -1.5f, 2.0f, "Y = -1.5 + 2 X" },
        /* 5 */ { 0.00012345f, -1e-7f, "Y = 0.0001234 - 1e-007 X" },
        /* 6 */ { -3.4028235e38f, -3.4028235e38f, "Y = -3.403e+038 - 3.403e+038 X" },
        /* 7 */ { -0.0f, -0.0f, "Y = 0 + 0 X" },  // no "-0" and no minus form for a zero slope
        /* 8 */ { 9999.6f, 1.0f, "Y = 1e+004 + 1 X" },
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].expected, TrendEquationText(cases[i].a, cases[i].b)) << "row " << i;
}

TEST(TrendLine, RunsFromAxisEndToAxisEndOrStopsAtTheTopOrBottom)
{
    struct {
        std::vector<Point> points;
        AxisScale xScale, yScale;
        float x0, y0, x1, y1;
    } cases[] = {
        // Within the range at both ends, one of them exactly on the bottom.
        /* 0 */ { { { 1, 2 }, { 2, 4 }, { 3, 6 } }, Axis(0, 4), kTenUnits, 0, 0, 4, 8 },
        // Level lines inside the range and on its top edge.
        /* 1 */ { { { 0, 3 }, { 1, 3 }, { 2, 3 } }, kTenUnits, kTenUnits, 0, 3, 10, 3 },
        /* 2 */ { { { 0, 10 }, { 5, 10 } }, kTenUnits, kTenUnits, 0, 10, 10, 10 },
        // y = 2x leaves through the top: the right end moves left by (20 - 10) / 2.
        /* 3 */ { { { 1, 2 }, { 2, 4 }, { 3, 6 } }, kTenUnits, kTenUnits, 0, 0, 5, 10 },
        // y = x - 2 starts below: the left end moves right by 2.
        /* 4 */ { { { 3, 1 }, { 4, 2 }, { 5, 3 } }, kTenUnits, kTenUnits, 2, 0, 10, 8 },
        // y = 2x - 5 crosses bottom and top.
        /* 5 */ { { { 3, 1 }, { 4, 3 }, { 5, 5 } }, kTenUnits, kTenUnits, 2.5f, 0, 7.5f, 10 },
        // y = 15 - 2x crosses top and bottom.
        /* 6 */ { { { 3, 9 }, { 4, 7 }, { 5, 5 } }, kTenUnits, kTenUnits, 2.5f, 10, 7.5f, 0 },
        // Row 5 with the data and both axes in thousands.
        /* 7 */ { { { 3000, 1000 }, { 4000, 3000 }, { 5000, 5000 } }, Axis(0, 10, 3), Axis(0, 10, 3),
                  2500, 0, 7500, 10000 },
        // Row 5 on axes of tenths, 0 to 100 times 0.1.
        /* 8 */ { { { 3, 1 }, { 4, 3 }, { 5, 5 } }, Axis(0, 100, -1), Axis(0, 100, -1), 2.5f, 0, 7.5f, 10 },
        // y = x on axes that do not start at 0.
        /* 9 */ { { { -1, -1 }, { 0, 0 }, { 1, 1 } }, Axis(-10, 10), Axis(-5, 5), -5, -5, 5, 5 },
        // y = x / 1000 on an X axis in thousands under a Y axis of 0 to 5.
        /* 10 */ { { { 1000, 1 }, { 2000, 2 }, { 3000, 3 } }, Axis(0, 10, 3), Axis(0, 5), 0, 0, 5000, 5 },
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        Fit fit = FitPoints(cases[i].points, cases[i].xScale, cases[i].yScale);
        EXPECT_STREQ("Drawn", Name(fit.result)) << "row " << i;
        float xSpan = std::fabs(cases[i].x1 - cases[i].x0) + 1;
        float ySpan = std::fabs(cases[i].y1 - cases[i].y0) + 1;
        EXPECT_NEAR(cases[i].x0, fit.endX[0], 1e-5f * xSpan) << "row " << i;
        EXPECT_NEAR(cases[i].y0, fit.endY[0], 1e-5f * ySpan) << "row " << i;
        EXPECT_NEAR(cases[i].x1, fit.endX[1], 1e-5f * xSpan) << "row " << i;
        EXPECT_NEAR(cases[i].y1, fit.endY[1], 1e-5f * ySpan) << "row " << i;
    }
}

TEST(TrendLine, DrawsNothingForALineThatMissesTheYRange)
{
    struct {
        std::vector<Point> points;
        float a, b;
    } cases[] = {
        /* 0 */ { { { 0, 20 }, { 5, 20 } }, 20, 0 },   // level, above
        /* 1 */ { { { 0, -3 }, { 5, -3 } }, -3, 0 },   // level, below
        /* 2 */ { { { 0, 20 }, { 10, 30 } }, 20, 1 },  // rising, above at both ends
        /* 3 */ { { { 0, 30 }, { 10, 20 } }, 30, -1 }, // falling, above at both ends
        /* 4 */ { { { 0, -1 }, { 10, -9 } }, -1, -0.8f },
        /* 5 */ { { { 0, -9 }, { 10, -1 } }, -9, 0.8f },
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        Fit fit = FitPoints(cases[i].points, kTenUnits, kTenUnits);
        EXPECT_STREQ("OutsideYRange", Name(fit.result)) << "row " << i;
        EXPECT_FLOAT_EQ(cases[i].a, fit.a) << "row " << i;
        EXPECT_FLOAT_EQ(cases[i].b, fit.b) << "row " << i;
        ExpectNoEnds(fit, i);
    }
}

TEST(TrendLine, FindsNoLineThroughPointsOfOneX)
{
    std::vector<float> manyX(1000, 0.1f);
    std::vector<float> manyY;
    for (int i = 0; i < 1000; ++i)
        manyY.push_back(static_cast<float>(i % 7));
    std::vector<float> none;
    const float nextAfterOne = std::nextafter(1.0f, 2.0f);
    std::vector<float> closeX(39, 123456.703f);
    closeX.push_back(std::nextafter(123456.703f, 1e30f));
    std::vector<float> closeY(closeX.size(), 1.0f);
    closeY.back() = 2.0f;

    struct {
        std::vector<float> xs, ys;
    } cases[] = {
        /* 0 */ { { 2, 2, 2 }, { 1, 5, 9 } },
        // Double sums of 1000 equal values do not cancel exactly.
        /* 1 */ { manyX, manyY },
        /* 2 */ { none, none },
        /* 3 */ { { 4 }, { 4 } },
        // Distinct X one float step apart: the slope is past the float range.
        /* 4 */ { { 1.0f, nextAfterOne }, { 0.0f, 3e38f } },
        // Forty points on two X values one float step apart: rounding takes D below 0.
        /* 5 */ { closeX, closeY },
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        Fit fit = FitPoints(cases[i].xs, cases[i].ys, kTenUnits, kTenUnits);
        EXPECT_STREQ("AllXEqual", Name(fit.result)) << "row " << i;
        EXPECT_EQ(0.0f, fit.a) << "row " << i;
        EXPECT_EQ(0.0f, fit.b) << "row " << i;
        ExpectNoEnds(fit, i);
    }
}

// Nearly level lines that cross the bottom or top at an axis end of 0: the
// crossing, found with rounding, must not land past that end.
TEST(TrendLine, KeepsAMovedEndOnTheAxisWhereItEndsAtZero)
{
    struct {
        Point p0, p1;
        AxisScale xScale, yScale;
    } cases[] = {
        /* 0 */ { { 1.3594198e+10f, -0.000300000014f }, { 5.6e+10f, -0.000299999985f }, Axis(0, 56, 9),
                  Axis(-52, -30, -5) },
        /* 1 */ { { -1.86238669e+09f, -20000.002f }, { 0, -20000 }, Axis(-27, 0, 8), Axis(-20, -15, 3) },
        /* 2 */ { { 3.69251082e+10f, 0.0800000057f }, { 7.6000002e+10f, 0.0800000131f }, Axis(0, 76, 9),
                  Axis(38, 80, -3) },
        /* 3 */ { { -0.00138926122f, -1.20000016e-06f }, { 0, -1.20000004e-06f }, Axis(-26, 0, -4),
                  Axis(-12, 39, -7) },
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        Fit fit = FitPoints({ cases[i].p0, cases[i].p1 }, cases[i].xScale, cases[i].yScale);
        ASSERT_STREQ("Drawn", Name(fit.result)) << "row " << i;
        float xLo = static_cast<float>(PowerOfTen(cases[i].xScale.exponent) * cases[i].xScale.minLabel);
        float xHi = static_cast<float>(PowerOfTen(cases[i].xScale.exponent) * cases[i].xScale.maxLabel);
        for (int k = 0; k < 2; ++k) {
            EXPECT_GE(fit.endX[k], xLo) << "row " << i << " end " << k;
            EXPECT_LE(fit.endX[k], xHi) << "row " << i << " end " << k;
        }
    }
}

TEST(TrendLine, KeepsTheEndsFiniteOnAxesPastTheFloatRange)
{
    // y = 2x with axes that end beyond FLT_MAX: they end at FLT_MAX, and the
    // right end stops on the top at FLT_MAX / 2.
    const float x = 1e38f;
    struct {
        AxisScale xScale, yScale;
    } cases[] = {
        /* 0 */ { Axis(0, 4, 38), Axis(0, 8, 38) },
        /* 1 */ { Axis(0, 4, 400), Axis(0, 8, 400) },  // 10^400 is infinite in double
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        Fit fit = FitPoints({ 0.0f, x }, { 0.0f, 2 * x }, cases[i].xScale, cases[i].yScale);
        ASSERT_STREQ("Drawn", Name(fit.result)) << "row " << i;
        EXPECT_EQ(0.0f, fit.a) << "row " << i;
        EXPECT_EQ(2.0f, fit.b) << "row " << i;
        EXPECT_EQ(0.0f, fit.endX[0]) << "row " << i;
        EXPECT_EQ(0.0f, fit.endY[0]) << "row " << i;
        EXPECT_EQ(FLT_MAX / 2, fit.endX[1]) << "row " << i;
        EXPECT_EQ(FLT_MAX, fit.endY[1]) << "row " << i;
    }
}

TEST(TrendLine, KeepsPrecisionOverAMillionPoints)
{
    const int count = 1000000;
    std::vector<float> xs(count), ys(count);
    for (int i = 0; i < count; ++i) {
        xs[i] = static_cast<float>(i + 1);
        ys[i] = 3.0f + 0.5f * xs[i];
    }
    Fit fit = FitPoints(xs, ys, Axis(0, 10, 5), Axis(0, 10, 5));
    EXPECT_STREQ("Drawn", Name(fit.result));
    EXPECT_NEAR(3.0, fit.a, 3e-3);
    EXPECT_NEAR(0.5, fit.b, 0.5e-3);
}

// Random data on its own automatic scales, and on narrower fixed Y scales: a
// drawn line's ends lie on the line, inside the plot, each at its end of the X
// axis or on the top or bottom. On automatic scales the line always crosses the
// plot, as it passes through the points' centre.
TEST(TrendLine, KeepsTheEndsOnTheLineAndInsideThePlot)
{
    std::mt19937 random(31415926);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int drawnOnFixed = 0;
    int missedOnFixed = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        int count = 2 + static_cast<int>(random() % 30);
        double magnitude = std::pow(10.0, static_cast<int>(random() % 13) - 6);
        double spread = unit(random) * 4;
        double slope = (unit(random) - 0.5) * 20;
        std::vector<float> xs, ys;
        for (int i = 0; i < count; ++i) {
            double x = unit(random) * magnitude;
            xs.push_back(static_cast<float>(x));
            ys.push_back(static_cast<float>(slope * x + (unit(random) - 0.5) * spread * magnitude));
        }
        std::sort(xs.begin(), xs.end());
        auto xRange = std::minmax_element(xs.begin(), xs.end());
        auto yRange = std::minmax_element(ys.begin(), ys.end());
        double xLoData = *xRange.first, xHiData = *xRange.second;
        double yLoData = *yRange.first, yHiData = *yRange.second;
        AxisScale xScale, yScale;
        if (ScaleAxis(xLoData, xHiData, ChooseIncrements(xLoData, xHiData), xScale) != 0 ||
            ScaleAxis(yLoData, yHiData, ChooseIncrements(yLoData, yHiData), yScale) != 0)
            continue;
        bool fixed = trial % 2 == 1;
        if (fixed) {
            double lo = yLoData + unit(random) * (yHiData - yLoData);
            double hi = lo + unit(random) * (yHiData - yLoData) + magnitude * 1e-3;
            if (ScaleAxis(lo, hi, 5, yScale) != 0)
                continue;
        }

        Fit fit = FitPoints(xs, ys, xScale, yScale);
        if (!fixed) {
            EXPECT_STREQ("Drawn", Name(fit.result)) << "trial " << trial;
        } else if (fit.result == TrendFit::OutsideYRange) {
            ++missedOnFixed;
        } else {
            ++drawnOnFixed;
        }
        if (fit.result != TrendFit::Drawn)
            continue;

        double xLo = PowerOfTen(xScale.exponent) * xScale.minLabel;
        double xHi = PowerOfTen(xScale.exponent) * xScale.maxLabel;
        double yLo = PowerOfTen(yScale.exponent) * yScale.minLabel;
        double yHi = PowerOfTen(yScale.exponent) * yScale.maxLabel;
        double xTol = (xHi - xLo) * 1e-5;
        double yTol = (yHi - yLo) * 1e-5;
        for (int k = 0; k < 2; ++k) {
            double ex = fit.endX[k], ey = fit.endY[k];
            double onLine = fit.a + static_cast<double>(fit.b) * ex;
            EXPECT_NEAR(onLine, ey, yTol + std::fabs(fit.b) * xTol) << "trial " << trial << " end " << k;
            EXPECT_TRUE(ex >= xLo - xTol && ex <= xHi + xTol) << "trial " << trial << " end " << k << ": x " << ex;
            EXPECT_TRUE(ey >= yLo - yTol && ey <= yHi + yTol) << "trial " << trial << " end " << k << ": y " << ey;
            bool atAxisEnd = std::fabs(ex - (k == 0 ? xLo : xHi)) <= xTol;
            bool onTopOrBottom = std::fabs(ey - yLo) <= yTol || std::fabs(ey - yHi) <= yTol;
            EXPECT_TRUE(atAxisEnd || onTopOrBottom) << "trial " << trial << " end " << k << ": " << ex << ", " << ey;
        }
        EXPECT_LE(fit.endX[0], fit.endX[1]) << "trial " << trial;
    }
    // The fixed ranges must have tried both outcomes for the checks to mean much.
    EXPECT_GT(drawnOnFixed, 100);
    EXPECT_GT(missedOnFixed, 20);
}

TEST(TrendLine, MakesABlueSolidTwoPointRecordFromTheGraphs)
{
    float xs[3] = { 1, 2, 3 }, ys[3] = { 4, 5, 6 };
    const char* title = "Title";
    const char* xLabel = "X";
    const char* yLabel = "Y";
    const GraphParams graph = { 3, xs, ys, 2, 1, 2, 1, 7, 9, 0x0000FF00, title, xLabel, yLabel, 640, 480, 1,
                         -1.5, 2.5, 10.0, 20.0 };
    float endX[2] = { 0, 10 }, endY[2] = { 3, 8 };

    GraphParams line = MakeTrendRecord(graph, endX, endY);
    EXPECT_EQ(2, line.pointCount);
    EXPECT_EQ(endX, line.xValues);
    EXPECT_EQ(endY, line.yValues);
    EXPECT_EQ(0, line.pointType);
    EXPECT_EQ(1, line.lineType);
    EXPECT_EQ(0x00FF0000u, line.curveColor);
    // The rest is the graph's.
    EXPECT_EQ(1, line.pointSize);
    EXPECT_EQ(1, line.lineSize);
    EXPECT_EQ(7, line.xIncrements);
    EXPECT_EQ(9, line.yIncrements);
    EXPECT_EQ(title, line.title);
    EXPECT_EQ(xLabel, line.xLabel);
    EXPECT_EQ(yLabel, line.yLabel);
    EXPECT_EQ(640, line.areaWidth);
    EXPECT_EQ(480, line.areaHeight);
    EXPECT_EQ(1, line.showGrid);
    EXPECT_EQ(-1.5, line.yMin);
    EXPECT_EQ(2.5, line.yMax);
    EXPECT_EQ(10.0, line.xMin);
    EXPECT_EQ(20.0, line.xMax);
    // The graph itself is left as it was.
    EXPECT_EQ(3, graph.pointCount);
    EXPECT_EQ(xs, graph.xValues);
}
