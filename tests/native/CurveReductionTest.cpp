#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "graph/CurveReduction.h"

namespace {

PointFlags Extremes(const std::vector<PixelPoint>& points)
{
    PointFlags flags(points.size());
    {
        ColumnExtremes extremes(flags);
        for (int i = 0; i < static_cast<int>(points.size()); ++i)
            extremes.Add(i, points[i]);
    }
    return flags;
}

std::vector<int> Kept(const PointFlags& flags, unsigned char flag)
{
    std::vector<int> kept;
    for (int i = 0; i < static_cast<int>(flags.size()); ++i) {
        if (flags[i] & flag)
            kept.push_back(i);
    }
    return kept;
}

const CurveStyle kThinSquaresPainted = { false, MarkerShape::Square, 1, true, true };

// Runs the chooser over points in the order given, markers 4 pixels wide.
struct Choice {
    PointFlags flags;
    std::vector<PixelSpan> spans;
};

Choice Choose(const std::vector<PixelPoint>& p, const CurveStyle& style, bool dotted = false)
{
    Choice c;
    c.flags = PointFlags(p.size());
    auto point = [&](int i) { return p[i]; };
    auto box = [&](int i) { return PixelBox{ p[i].x - 2, p[i].y - 2, p[i].x + 2, p[i].y + 2 }; };
    auto repeat = [&](int i) { return i > 0 && p[i].x == p[i - 1].x && p[i].y == p[i - 1].y; };
    ChooseCurvePoints(static_cast<int>(p.size()), point, box, repeat, style, dotted, { 0, 0, 300, 200 }, c.flags,
                      c.spans);
    return c;
}

}  // namespace

TEST(CurveReduction, ColumnRunsKeepFirstLastAndFirstExtremes)
{
    // Column 5: y 10, 3, 8, 3, 12, 7; then column 6 with 1, 4.
    PointFlags flags =
        Extremes({ { 5, 10 }, { 5, 3 }, { 5, 8 }, { 5, 3 }, { 5, 12 }, { 5, 7 }, { 6, 1 }, { 6, 9 }, { 6, 1 } });
    // The lowest 3 first seen at 1, not at 3; the last run is kept whole.
    EXPECT_EQ((std::vector<int>{ 0, 1, 4, 5, 6, 7, 8 }), Kept(flags, kDrawLine));
    EXPECT_EQ(Kept(flags, kDrawLine), Kept(flags, kVisitPoint));
}

TEST(CurveReduction, ColumnRunsAreRunsNotColumns)
{
    // Column 2 comes back after column 3: two runs, each with its own ends.
    PointFlags flags = Extremes({ { 2, 5 }, { 2, 6 }, { 2, 7 }, { 3, 0 }, { 2, 9 }, { 2, 1 }, { 4, 4 } });
    EXPECT_EQ((std::vector<int>{ 0, 2, 3, 4, 5, 6 }), Kept(flags, kDrawLine));
}

TEST(CurveReduction, CoverMapAcrossWordsAndOutsideTheArea)
{
    CoverMap cover({ 10, 10, 20, 150 });
    // Rows 30 to 99 of one column cross two or three words.
    cover.Take({ 12, 30, 13, 100 });
    EXPECT_TRUE(cover.AllTaken({ 12, 30, 13, 100 }));
    EXPECT_TRUE(cover.AllTaken({ 12, 63, 13, 65 }));
    EXPECT_FALSE(cover.AllTaken({ 12, 29, 13, 31 }));
    EXPECT_FALSE(cover.AllTaken({ 12, 99, 13, 101 }));
    EXPECT_FALSE(cover.AllTaken({ 11, 50, 13, 51 }));
    // What lies outside the area never shows.
    EXPECT_TRUE(cover.AllTaken({ 0, 0, 10, 200 }));
    EXPECT_TRUE(cover.AllTaken({ 12, 150, 13, 400 }));
    // Two separate takes that meet make one taken run.
    cover.Take({ 12, 100, 13, 150 });
    EXPECT_TRUE(cover.AllTaken({ 12, 30, 13, 160 }));
}

TEST(CurveReduction, ExactPrimitivesArePaintedHiddenOrDrawn)
{
    CoverMap cover({ 0, 0, 40, 40 }, true);
    // A square on its own is drawn: most of it shows.
    EXPECT_EQ(Placement::Draw, cover.PlaceExact({ 10, 10, 14, 14 }, true));
    EXPECT_EQ(Placement::Hidden, cover.PlaceExact({ 10, 10, 14, 14 }, true));
    // Moved up and left, what shows of it is kept for the end: the edge in
    // the curve colour, the inside in the fill colour, down each column.
    EXPECT_EQ(Placement::Painted, cover.PlaceExact({ 9, 8, 13, 12 }, false));
    struct Expected {
        int x, top, bottom;
        unsigned char colour;
    };
    const Expected expected[] = { { 9, 8, 12, kCurveColour },  { 10, 8, 9, kCurveColour }, { 10, 9, 10, kFillColour },
                                  { 11, 8, 9, kCurveColour }, { 11, 9, 10, kFillColour }, { 12, 8, 10, kCurveColour } };
    std::vector<PixelSpan> spans = cover.Spans();
    ASSERT_EQ(6u, spans.size());
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(expected[i].x, spans[i].x) << "/* " << i << " */";
        EXPECT_EQ(expected[i].top, spans[i].top) << "/* " << i << " */";
        EXPECT_EQ(expected[i].bottom, spans[i].bottom) << "/* " << i << " */";
        EXPECT_EQ(expected[i].colour, spans[i].colour) << "/* " << i << " */";
    }
    // Half or less showing is painted at the end even when drawing is preferred.
    EXPECT_EQ(Placement::Painted, cover.PlaceExact({ 12, 10, 16, 14 }, true));
    // Where a later primitive of uncertain shape may paint, it must be drawn.
    cover.Touch({ 30, 30, 31, 31 });
    EXPECT_EQ(Placement::Draw, cover.PlaceExact({ 30, 20, 31, 35 }, false));
}

TEST(CurveReduction, RepeatedMarkerBoxesAreKnownWithinARun)
{
    LaterMarkers later(-10, 100);
    EXPECT_FALSE(later.SeenOrAdd({ 5, 20, 9, 24 }));
    EXPECT_TRUE(later.SeenOrAdd({ 5, 20, 9, 24 }));
    EXPECT_FALSE(later.SeenOrAdd({ 5, 20, 10, 24 })) << "another right edge is another box";
    EXPECT_FALSE(later.SeenOrAdd({ 6, 20, 10, 24 }));
    EXPECT_FALSE(later.SeenOrAdd({ 5, 20, 9, 24 })) << "a new left edge ends the run";
}

TEST(CurveReduction, LaterMarkersKeepOnlyTopsInTheirRange)
{
    // Tops from -10 up to, not including, 100 are remembered.
    const struct {
        int top;
        bool remembered;
    } rows[] = { { -11, false }, { -10, true }, { 99, true }, { 100, false } };
    for (const auto& row : rows) {
        LaterMarkers later(-10, 100);
        const PixelBox box = { 5, row.top, 9, row.top + 4 };
        EXPECT_FALSE(later.SeenOrAdd(box)) << "top " << row.top;
        EXPECT_EQ(row.remembered, later.SeenOrAdd(box)) << "top " << row.top;
    }
}

TEST(CurveReduction, CircleTakesOnlyPixelsInsideIt)
{
    // Every pixel a circle is said to paint lies wholly inside the ellipse
    // its box bounds, and it paints at least something.
    const PixelBox boxes[] = { { 0, 0, 3, 3 },   { 10, 10, 14, 14 }, { 10, 10, 15, 15 }, { 0, 0, 7, 7 },
                               { -8, 4, 12, 24 }, { 0, 0, 27, 27 },   { 0, 0, 6, 40 } };
    for (const PixelBox& b : boxes) {
        const PixelBox p = MarkerPaint(b, MarkerShape::Circle);
        const double rx = (b.right - b.left) / 2.0, ry = (b.bottom - b.top) / 2.0;
        double farthest = 0;  // of the taken pixels' outer corners; 1 on the ellipse
        for (int x : { p.left, p.right }) {
            for (int y : { p.top, p.bottom }) {
                const double u = (x - b.left - rx) / rx, v = (y - b.top - ry) / ry;
                farthest = std::max(farthest, u * u + v * v);
            }
        }
        EXPECT_FALSE(p.IsEmpty()) << "box " << b.left << "," << b.top << " to " << b.right << "," << b.bottom;
        EXPECT_LE(farthest, 1.0) << "box " << b.left << "," << b.top << " to " << b.right << "," << b.bottom;
    }
}

TEST(CurveReduction, PenReachesHalfItsWidthAndAPixelToSpare)
{
    // Whether a pen reaches the pixel so many beyond a line along row 50 from
    // column 40 to 60, or beyond the edge of a marker on [45, 55) square.
    const struct {
        int penWidth;
        int beyond;
        bool reached;
    } rows[] = { { 1, 1, false }, { 2, 2, true }, { 3, 2, true }, { 7, 4, true }, { 7, 5, false } };
    auto holds = [](const PixelBox& box, int x, int y) {
        return box.left <= x && x < box.right && box.top <= y && y < box.bottom;
    };
    for (const auto& row : rows) {
        const PixelBox line = LineReach({ 40, 50 }, { 60, 50 }, row.penWidth);
        const PixelBox marker = MarkerReach({ 45, 45, 55, 55 }, MarkerShape::Square, row.penWidth);
        const int d = row.beyond;
        EXPECT_EQ(row.reached, holds(line, 50, 50 - d)) << "pen " << row.penWidth << ", line side, " << d;
        EXPECT_EQ(row.reached, holds(line, 60 + d, 50)) << "pen " << row.penWidth << ", line end, " << d;
        EXPECT_EQ(row.reached, holds(marker, 45 - d, 50)) << "pen " << row.penWidth << ", marker left, " << d;
        EXPECT_EQ(row.reached, holds(marker, 50, 54 + d)) << "pen " << row.penWidth << ", marker bottom, " << d;
    }
}

TEST(CurveReduction, OnlyTheLastOfIdenticalMarkersIsDrawn)
{
    const CurveStyle markers = { false, MarkerShape::Circle, 1, true, false };
    Choice c = Choose({ { 50, 50 }, { 50, 60 }, { 50, 50 }, { 50, 60 }, { 120, 90 } }, markers);
    EXPECT_EQ((std::vector<int>{ 2, 3, 4 }), Kept(c.flags, kDrawMarker));
}

TEST(CurveReduction, SparseCurveKeepsEverything)
{
    // No two points share a column: nothing is left out.
    std::vector<PixelPoint> p;
    for (int i = 0; i < 40; ++i)
        p.push_back({ 5 + 7 * i, 20 + (i * 37) % 150 });
    const CurveStyle styles[] = { { true, MarkerShape::None, 1, true, false },
                                  { true, MarkerShape::Cross, 2, true, false },
                                  { true, MarkerShape::Square, 1, true, false } };
    for (const CurveStyle& style : styles) {
        Choice c = Choose(p, style, true);
        // Every piece but the empty one to the first point, which paints nothing.
        std::vector<int> pieces = Kept(c.flags, kDrawLine);
        pieces.erase(std::remove(pieces.begin(), pieces.end(), 0), pieces.end());
        EXPECT_EQ(39u, pieces.size()) << "marker " << static_cast<int>(style.marker);
        if (style.marker != MarkerShape::None) {
            EXPECT_EQ(40u, Kept(c.flags, kDrawMarker).size()) << "marker " << static_cast<int>(style.marker);
        }
    }
}

TEST(CurveReduction, DenseCurveDrawsAboutAsMuchAsThePlotHasColumns)
{
    std::mt19937 rng(5);
    std::vector<PixelPoint> p;
    for (int i = 0; i < 200000; ++i)
        p.push_back({ 10 + i / 1000, 10 + static_cast<int>(rng() % 180) });
    Choice line = Choose(p, { true, MarkerShape::None, 1, true, false });
    EXPECT_LE(Kept(line.flags, kDrawLine).size(), 4u * 200 + 1000) << "four a column, the last run whole";
    Choice squares = Choose(p, kThinSquaresPainted);
    EXPECT_LE(Kept(squares.flags, kDrawMarker).size(), 2000u);
    EXPECT_LE(squares.spans.size(), 4000u);
    EXPECT_FALSE(squares.spans.empty());
}

TEST(CurveReduction, PassingOverCoveredColumnsChoosesTheSame)
{
    // Dense enough to cover whole columns, from left of the area to right of
    // it, with points repeated.
    std::mt19937 rng(9);
    std::vector<PixelPoint> p;
    for (int i = 0; i < 100000; ++i)
        p.push_back({ -3 + i / 300, -5 + static_cast<int>(rng() % 210) });
    for (int i = 0; i < 100000; i += 7)
        p[i] = p[i - (i > 0)];
    const struct {
        CurveStyle style;
        bool dotted;
    } rows[] = {
        /* 0 */ { kThinSquaresPainted, false },
        /* 1 */ { { true, MarkerShape::Square, 1, true, true }, false },
        /* 2 */ { { true, MarkerShape::Circle, 2, true, false }, false },
        /* 3 */ { { true, MarkerShape::Cross, 3, false, false }, false },
        /* 4 */ { { true, MarkerShape::Square, 1, true, false }, true },
    };
    for (int row = 0; row < 5; ++row) {
        CurveStyle ascending = rows[row].style;
        ascending.pointsAscend = true;
        Choice all = Choose(p, rows[row].style, rows[row].dotted);
        Choice passed = Choose(p, ascending, rows[row].dotted);
        auto spans = [](const Choice& c) {
            std::vector<std::array<int, 4>> all;
            for (const PixelSpan& s : c.spans)
                all.push_back({ s.x, s.top, s.bottom, s.colour });
            return all;
        };
        EXPECT_EQ(all.flags, passed.flags) << "row " << row;
        EXPECT_EQ(spans(all), spans(passed)) << "row " << row;
    }
}
