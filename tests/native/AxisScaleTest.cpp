#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <tuple>

#include "graph/AxisScale.h"

namespace {

struct ScaleCase {
    double lo, hi;
    int n;
    int minLabel, maxLabel, exponent, minorCount;
};

std::tuple<int, int, int, int, int> Scale(double lo, double hi, int n)
{
    AxisScale s = { 7, 7, 7, 7 };
    int result = ScaleAxis(lo, hi, n, s);
    return std::make_tuple(result, s.minLabel, s.maxLabel, s.exponent, s.minorCount);
}

// Each row must succeed with its labels, exponent and minor divisions.
void ExpectScales(const ScaleCase* cases, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const ScaleCase& c = cases[i];
        EXPECT_EQ(std::make_tuple(0, c.minLabel, c.maxLabel, c.exponent, c.minorCount),
                  Scale(c.lo, c.hi, c.n)) << "row " << i;
    }
}

// The minor divisions that belong to a label step: its leading digit decides.
int MinorCountOfStep(int step)
{
    while (step % 10 == 0)
        step /= 10;
    const int minor[] = { 0, 5, 4, 6, 4, 5, 6, 0, 4, 0 };
    return step < 10 ? minor[step] : 0;
}

// A value of random sign-free magnitude within single precision.
double RandomMagnitude(std::mt19937& gen)
{
    std::uniform_int_distribution<int> decade(-45, 37);
    std::uniform_real_distribution<double> mantissa(1, 10);
    return static_cast<float>(mantissa(gen) * std::pow(10.0, decade(gen)));
}

// Ranges of varied magnitude: positive, negative, across zero, ending at zero,
// and narrow ones a few single-precision steps wide.
void RandomRange(std::mt19937& gen, double& lo, double& hi)
{
    double a = RandomMagnitude(gen), b = RandomMagnitude(gen);
    switch (std::uniform_int_distribution<int>(0, 4)(gen)) {
    case 0: lo = std::min(a, b); hi = std::max(a, b); break;
    case 1: lo = -std::max(a, b); hi = -std::min(a, b); break;
    case 2: lo = -a; hi = b; break;
    case 3: lo = -a; hi = 0; break;
    default: lo = a; hi = static_cast<float>(a * (1 + 1e-6 * (1 + b / (a + b)))); break;
    }
    if (!(hi > lo))
        hi = std::nextafter(static_cast<float>(lo), 1e38f);
}

}  // namespace

TEST(ScaleAxis, MatchesWorkedExamples)
{
    const ScaleCase cases[] = {
        /* 0 */ { 0, 100, 5, 0, 100, 0, 4 },
        /* 1 */ { 0, 97, 5, 0, 100, 0, 4 },
        /* 2 */ { 1, 10, 4, 0, 12, 0, 6 },
        /* 3 */ { 0.5, 9.3, 5, 0, 10, 0, 4 },
        /* 4 */ { -3, 7, 4, -3, 9, 0, 6 },
        /* 5 */ { -50, -3, 4, -80, 0, 0, 4 },
        /* 6 */ { 0, 1000, 5, 0, 1000, 0, 4 },
        /* 7 */ { 0, 12345, 4, 0, 1600, 1, 4 },
        /* 8 */ { 1990, 1999, 4, 1989, 2001, 0, 6 },
        /* 9 */ { 0.001, 0.0173, 4, 0, 20, -3, 5 },
        /* 10 */ { 0, 1, 4, 0, 12, -1, 6 },
        // One spare interval with the axis one step above zero: it moves down to zero.
        /* 11 */ { 0.3, 1, 5, 0, 10, -1, 4 },
        // Extremes of single precision still give a labelled axis.
        /* 12 */ { -3e38, 3e38, 5, -400, 600, 36, 4 },
        /* 13 */ { 1, 1.0000001, 4, 998, 1002, -3, 5 },
    };
    ExpectScales(cases, sizeof cases / sizeof cases[0]);
}

// Moving such an axis down by whole steps must land exactly on zero, not on a
// rounding error beside it that no longer covers data ending at zero.
TEST(ScaleAxis, EndsAtZeroWhenAllDataAreAtOrBelowZero)
{
    const ScaleCase cases[] = {
        /* 0 */ { -0.5, 0, 4, -8, 0, -1, 4 },
        /* 1 */ { -0.002, 0, 8, -24, 0, -4, 6 },
        /* 2 */ { -0.7, -0.0, 10, -80, 0, -2, 4 },
    };
    ExpectScales(cases, sizeof cases / sizeof cases[0]);
}

TEST(ScaleAxis, FailsWithZerosOnUnusableInput)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct { double lo, hi; int n; } cases[] = {
        /* 0 */ { 10, 1, 4 }, /* 1 */ { 3, 3, 4 }, /* 2 */ { 0, 10, 1 }, /* 3 */ { 0, 10, -5 },
        /* 4 */ { nan, 1, 4 }, /* 5 */ { 0, nan, 4 }, /* 6 */ { 0, inf, 4 }, /* 7 */ { -inf, 0, 4 },
        /* 8 */ { -inf, inf, 4 },
        // The width overflows, an axis end overflows, or the step underflows.
        /* 9 */ { -1e308, 1e308, 5 }, /* 10 */ { 1e308, 1.7e308, 2 }, /* 11 */ { -1.7e308, -1e308, 4 },
        /* 12 */ { -1.7e308, 0, 2 }, /* 13 */ { 0, 1e-323, 2 },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(std::make_tuple(1, 0, 0, 0, 0), Scale(cases[i].lo, cases[i].hi, cases[i].n))
            << "row " << i;
}

TEST(ScaleAxis, GivesTidyCoveringAxisForAnySinglePrecisionRange)
{
    std::mt19937 gen(20240611);
    for (int i = 0; i < 20000; ++i) {
        double lo, hi;
        RandomRange(gen, lo, hi);
        int n = std::uniform_int_distribution<int>(2, 10)(gen);
        AxisScale s;
        ASSERT_EQ(0, ScaleAxis(lo, hi, n, s)) << "range " << i << ": " << lo << " " << hi;
        double p = PowerOfTen(s.exponent);
        double tol = 1e-9 * std::max(std::fabs(lo), std::fabs(hi));
        SCOPED_TRACE(testing::Message() << "range " << i << ": " << lo << " to " << hi << " in "
                                        << n << " gave " << s.minLabel << " to " << s.maxLabel
                                        << " E" << s.exponent << " minor " << s.minorCount);
        EXPECT_LE(s.minLabel * p, lo + tol);
        EXPECT_GE(s.maxLabel * p, hi - tol);
        ASSERT_EQ(0, (s.maxLabel - s.minLabel) % n);
        EXPECT_EQ(MinorCountOfStep((s.maxLabel - s.minLabel) / n), s.minorCount);
        if (lo >= 0) {
            EXPECT_GE(s.minLabel, 0);
        }
        if (hi <= 0) {
            EXPECT_LE(s.maxLabel, 0);
        }
    }
}

TEST(ChooseIncrements, MatchesWorkedExamples)
{
    const struct { double lo, hi; int n; } cases[] = {
        /* 0 */ { 0, 100, 5 }, /* 1 */ { 0, 97, 5 }, /* 2 */ { 1, 10, 9 }, /* 3 */ { -3, 7, 10 },
        /* 4 */ { 1990, 1999, 9 }, /* 5 */ { 3.2, 41.7, 7 }, /* 6 */ { 0, 12345, 7 },
        // Plain-unit labels win first; failing that, labels in the range's own decade.
        /* 7 */ { -1, 1, 2 }, /* 8 */ { -3, 0, 3 }, /* 9 */ { 0, 0.3, 3 },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const double range[2] = { cases[i].lo, cases[i].hi };
        EXPECT_EQ(cases[i].n, ChooseIncrements(range)) << "row " << i;
        EXPECT_EQ(cases[i].n, ChooseIncrements(cases[i].lo, cases[i].hi)) << "row " << i;
    }
}

TEST(ChooseIncrements, StaysWithinTwoToTenForAnyInput)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Ranges no count can scale fall back to ten.
    EXPECT_EQ(10, ChooseIncrements(0, 0));
    EXPECT_EQ(10, ChooseIncrements(nan, nan));
    const double odd[][2] = { { 0, inf }, { -inf, inf }, { 5, 1 }, { 1, nan }, { -1e308, 1e308 } };
    for (size_t i = 0; i < sizeof odd / sizeof odd[0]; ++i) {
        int n = ChooseIncrements(odd[i]);
        EXPECT_TRUE(n >= 2 && n <= 10) << "row " << i << ": " << n;
    }
    std::mt19937 gen(7);
    for (int i = 0; i < 3000; ++i) {
        double lo, hi;
        RandomRange(gen, lo, hi);
        int n = ChooseIncrements(lo, hi);
        ASSERT_TRUE(n >= 2 && n <= 10) << "range " << i << ": " << lo << " " << hi << " gave " << n;
    }
}

TEST(PowerOfTen, MultipliesByTenOrByTenths)
{
    EXPECT_EQ(1.0, PowerOfTen(0));
    EXPECT_EQ(1000.0, PowerOfTen(3));
    EXPECT_EQ(0.1, PowerOfTen(-1));
    EXPECT_EQ(0.1 * 0.1, PowerOfTen(-2));
    EXPECT_NE(0.01, PowerOfTen(-2));
    EXPECT_EQ(0.1 * 0.1 * 0.1, PowerOfTen(-3));
    // Far beyond the double range the product settles at infinity or zero.
    EXPECT_EQ(std::numeric_limits<double>::infinity(), PowerOfTen(std::numeric_limits<int>::max()));
    EXPECT_EQ(0.0, PowerOfTen(std::numeric_limits<int>::min()));
}

TEST(TickLabels, FormatValuesAndExponentNotes)
{
    EXPECT_EQ("0", TickLabelText(0));
    EXPECT_EQ("-80", TickLabelText(-80));
    EXPECT_EQ("2001", TickLabelText(2001));
    EXPECT_EQ("X10E-3", ExponentNoteText(-3));
    EXPECT_EQ("X10E1", ExponentNoteText(1));
    EXPECT_STREQ(" X10E55 ", kExponentNoteProbe);
}
