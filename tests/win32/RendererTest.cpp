// The renderer drawn into an enhanced metafile and the records read back:
// axes, ticks, labels, grid dashes, markers, pens and the clip region.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Dc.h"
#include "graph/GraphRenderer.h"
#include "graph/TrendLine.h"
#include "tests/support/MetafileRecords.h"
#include "tests/support/TestGraph.h"

namespace {

// Draws into a metafile as the clipboard copy does (default mapping, window
// origin (0, -H)); with printing, the context says it is a printer's.
std::vector<Record> DrawRecords(GraphParams& params, bool printing = false, GraphParams* pTrend = nullptr)
{
    HDC hScreen = GetDC(nullptr);
    HDC hMeta = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    CDC dc;
    dc.m_hDC = hMeta;
    dc.m_hAttribDC = hScreen;
    dc.m_bPrinting = printing;
    dc.SetWindowOrg(0, -params.areaHeight);
    BOOL failed = g_graphRenderer.Draw(&dc, &params, FALSE);
    if (!failed && pTrend)
        g_graphRenderer.Draw(&dc, pTrend, TRUE);
    dc.Detach();
    HENHMETAFILE hPicture = CloseEnhMetaFile(hMeta);
    ReleaseDC(nullptr, hScreen);
    std::vector<Record> records = ReadMetafile(hPicture);
    DeleteEnhMetaFile(hPicture);
    return records;
}

bool HasLine(const std::vector<Line>& lines, POINT from, POINT to)
{
    for (const Line& l : lines) {
        if (l.from.x == from.x && l.from.y == from.y && l.to.x == to.x && l.to.y == to.y)
            return true;
    }
    return false;
}

std::vector<Line> WithWidth(const std::vector<Record>& records, int width)
{
    return LinesDrawnWithPen(records, [width](const PenInfo& pen) { return pen.width == width; });
}

const TextItem* FindText(const std::vector<TextItem>& texts, const std::string& text)
{
    for (const TextItem& t : texts) {
        if (t.text == text)
            return &t;
    }
    return nullptr;
}

}  // namespace

TEST(Renderer, FewerThanTwoPointsDrawNothing)
{
    TestGraph graph({ 1 }, { 1 }, 600, 400);
    std::vector<Record> records = DrawRecords(graph.params);
    EXPECT_TRUE(Lines(records).empty());
    EXPECT_TRUE(Texts(records).empty());
}

TEST(Renderer, AxesAndTicksStandWhereTheLayoutPutsThem)
{
    TestGraph graph({ 0, 100 }, { 0, 100 }, 600, 400);
    std::vector<Record> records = DrawRecords(graph.params);
    const CGraphRenderer& r = g_graphRenderer;
    const int L = r.m_nPlotLeft, B = r.m_nPlotBottom, T = B + r.m_nPlotHeight, tick = r.m_nTickLength;
    std::vector<Line> axes = WithWidth(records, 2);
    EXPECT_TRUE(HasLine(axes, { L, -B }, { L + r.m_nPlotWidth, -B })) << "X axis";
    EXPECT_TRUE(HasLine(axes, { L, -B }, { L, -T })) << "Y axis";

    // 0 to 100 in 5 steps of 20, 4 minor divisions each.
    ASSERT_EQ(4, r.m_xScale.minorCount);
    const int MX = r.m_nPlotWidth / 5;
    std::vector<Line> thin = WithWidth(records, 1);
    for (int i = 0; i <= 5; ++i)
        EXPECT_TRUE(HasLine(thin, { L + i * MX, tick - B }, { L + i * MX, 2 * tick - B })) << "major X tick " << i;
    for (int j = 0; j <= 20; ++j)
        EXPECT_TRUE(HasLine(thin, { L + j * (MX / 4), -B }, { L + j * (MX / 4), tick - B })) << "minor X tick " << j;
    const int MY = r.m_nPlotHeight / 4;
    for (int i = 0; i <= 4; ++i)
        EXPECT_TRUE(HasLine(thin, { L - tick, -(B + i * MY) }, { L - 2 * tick, -(B + i * MY) })) << "major Y tick " << i;
}

TEST(Renderer, LabelsTitlesAndTheirPositions)
{
    TestGraph graph({ 0, 100 }, { 0, 100 }, 600, 400);
    graph.params.yIncrements = 5;
    std::vector<Record> records = DrawRecords(graph.params);
    const CGraphRenderer& r = g_graphRenderer;
    std::vector<TextItem> texts = Texts(records);
    for (const char* label : { "0", "20", "40", "60", "80", "100" }) {
        int count = static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const TextItem& t) { return t.text == label; }));
        EXPECT_EQ(2, count) << "once on each axis: " << label;
    }
    const TextItem* title = FindText(texts, "Graph Title");
    ASSERT_NE(nullptr, title);
    EXPECT_EQ(700, title->font.weight);
    EXPECT_EQ(r.m_nTextHeight + r.m_nTextHeight / 4, title->font.height);
    const TextItem* yTitle = FindText(texts, "Y Axis Label");
    ASSERT_NE(nullptr, yTitle);
    EXPECT_EQ(900, yTitle->font.escapement);
    EXPECT_GE(yTitle->pt.x, 0) << "inside the drawing area";
    // Clear of the Y labels: its cell ends left of the widest label's left edge.
    const TextItem* hundred = nullptr;
    for (const TextItem& t : texts) {
        if (t.text == "100" && t.pt.x < r.m_nPlotLeft)
            hundred = &t;
    }
    ASSERT_NE(nullptr, hundred);
    EXPECT_LE(yTitle->pt.x + r.m_nTextHeight, hundred->pt.x);
    const TextItem* xTitle = FindText(texts, "X Axis Label");
    ASSERT_NE(nullptr, xTitle);
    EXPECT_EQ(0, xTitle->font.escapement);
    EXPECT_GT(xTitle->pt.y, -r.m_nPlotBottom) << "below the X axis";
}

TEST(Renderer, ExponentNotesOnBothAxesAndTheFreeGridCorner)
{
    TestGraph graph({ 0.001f, 0.0173f }, { 0, 12345 }, 600, 400);
    std::vector<Record> records = DrawRecords(graph.params);
    const CGraphRenderer& r = g_graphRenderer;
    ASSERT_EQ(-3, r.m_xScale.exponent);
    ASSERT_EQ(1, r.m_yScale.exponent);
    std::vector<TextItem> texts = Texts(records);
    EXPECT_NE(nullptr, FindText(texts, "X10E-3"));
    const TextItem* yNote = FindText(texts, "X10E1");
    ASSERT_NE(nullptr, yNote);
    EXPECT_GT(yNote->pt.x, r.m_nPlotLeft) << "beside the top of the Y axis";

    // Grid dashes are drawn with the context's own pen (a stock one).
    std::vector<Line> grid = LinesDrawnWithPen(records, [](const PenInfo& pen) { return pen.width <= 1; });
    const int L = r.m_nPlotLeft, T = r.m_nPlotBottom + r.m_nPlotHeight, gap = r.m_nGap;
    const int minorX = r.m_nPlotWidth / 5 / r.m_xScale.minorCount;
    int topDashes = 0;
    int firstTop = 1 << 30;
    for (const Line& l : grid) {
        if (l.from.y == -T && l.to.y == -T && l.to.x - l.from.x == 2 * gap) {
            ++topDashes;
            firstTop = std::min(firstTop, static_cast<int>(l.from.x + gap));
        }
    }
    SIZE note = {};
    HDC hScreen = GetDC(nullptr);
    LOGFONTA lf = r.m_logFont;
    HFONT hFont = CreateFontIndirectA(&lf);
    HGDIOBJ hOld = SelectObject(hScreen, hFont);
    GetTextExtentPoint32A(hScreen, " X10E55 ", 8, &note);
    SelectObject(hScreen, hOld);
    DeleteObject(hFont);
    ReleaseDC(nullptr, hScreen);
    int firstIndex = note.cx / minorX + 1;
    EXPECT_EQ(L + firstIndex * minorX, firstTop) << "the corner under the note is free";
    EXPECT_EQ(5 * r.m_xScale.minorCount + 1 - firstIndex, topDashes);
}

namespace {

const COLORREF kCurveColor = RGB(200, 0, 0);

// A marker as drawn: its outline described, the pen, and its first record.
struct DrawnMarker {
    std::string outline;
    PenInfo pen;
    std::size_t record;
};

std::string Segment(const Line& line)
{
    return Describe(line.from) + "-" + Describe(line.to);
}

bool Same(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

bool IsCentre(POINT pt, const std::vector<POINT>& centres)
{
    return std::any_of(centres.begin(), centres.end(), [&](POINT c) { return Same(c, pt); });
}

bool Joins(const Line& line, const std::vector<POINT>& centres)
{
    return IsCentre(line.from, centres) && IsCentre(line.to, centres);
}

// The markers of one type, in the order drawn. Squares and circles are
// shapes; an X is two strokes of the curve's pen, told from the line pieces
// because they do not run from point to point.
std::vector<DrawnMarker> MarkersDrawn(const std::vector<Record>& records, int pointType,
                                      const std::vector<Line>& curve, const std::vector<POINT>& centres)
{
    std::vector<DrawnMarker> markers;
    if (pointType == 3) {
        std::vector<Line> strokes;
        for (const Line& line : curve) {
            if (!Joins(line, centres))
                strokes.push_back(line);
        }
        for (std::size_t i = 0; i < strokes.size(); i += 2) {
            std::string outline = Segment(strokes[i]);
            if (i + 1 < strokes.size())
                outline += " " + Segment(strokes[i + 1]);
            markers.push_back({outline, strokes[i].pen, strokes[i].record});
        }
        return markers;
    }
    for (const Shape& s : pointType == 1 ? Rectangles(records) : Ellipses(records))
        markers.push_back({Describe(s.box), s.pen, s.record});
    return markers;
}

// A marker of half size m at c, as it should be drawn: a box from c - m to
// c + m, whose right and bottom edges Rectangle and Ellipse leave out; an X
// from corner to corner of that box, its last pixels included (LineTo leaves
// out its end, so each stroke ends one step past the corner).
std::string ExpectedMarker(int pointType, POINT c, int m)
{
    RECT box = {c.x - m, c.y - m, c.x + m, c.y + m};
    if (pointType != 3)
        return Describe(box);
    return Describe(POINT{box.left, box.top}) + "-" + Describe(POINT{box.right + 1, box.bottom + 1}) + " " +
           Describe(POINT{box.right, box.top}) + "-" + Describe(POINT{box.left - 1, box.bottom + 1});
}

}  // namespace

TEST(Renderer, MarkersAreSquaresCirclesOrCrossesOfTheMarkerSizeDrawnAfterTheirLines)
{
    struct Row {
        int pointType;
        const char* name;
    };
    const Row rows[] = {
        /* 0 */ {1, "square"},
        /* 1 */ {2, "circle"},
        /* 2 */ {3, "X"},
    };
    for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        const int type = rows[i].pointType;
        const std::string row = "row " + std::to_string(i) + " (" + rows[i].name + ")";
        TestGraph graph({ 1, 2, 3 }, { 1, 4, 9 }, 600, 400);
        graph.params.pointType = type;
        graph.params.curveColor = kCurveColor;
        std::vector<Record> records = DrawRecords(graph.params);
        const int m = MarkerHalfSize(400, 0);
        const CGraphRenderer& r = g_graphRenderer;
        const GraphLayout layout = { r.m_nTextHeight, r.m_nTickLength, r.m_nGap,         r.m_nPlotLeft,
                                     r.m_nPlotWidth,  r.m_nPlotBottom, r.m_nPlotHeight, r.m_nPenBase };
        PointMapper map(layout, r.m_xScale, r.m_yScale);
        std::vector<POINT> centres;
        for (std::size_t k = 0; k < graph.x.size(); ++k)
            centres.push_back({ map.X(graph.x[k]), -map.Height(graph.y[k]) });
        std::vector<Line> curve = LinesDrawnWithPen(records, [](const PenInfo& pen) { return pen.color == kCurveColor; });

        // The line pieces run from point to point, an X's strokes beside them.
        std::vector<std::string> pieces;
        for (const Line& line : curve) {
            if (Joins(line, centres) && !Same(line.from, line.to))
                pieces.push_back(Segment(line));
        }
        const std::vector<std::string> expectedPieces = {
            Describe(centres[0]) + "-" + Describe(centres[1]),
            Describe(centres[1]) + "-" + Describe(centres[2]),
        };
        EXPECT_EQ(expectedPieces, pieces) << row;

        // Every point once, the first twice (its marker comes with its own
        // empty line piece and again with the first real one).
        const std::size_t order[] = { 0, 0, 1, 2 };
        std::vector<std::string> expected;
        for (std::size_t k : order)
            expected.push_back(ExpectedMarker(type, centres[k], m));
        std::vector<DrawnMarker> markers = MarkersDrawn(records, type, curve, centres);
        std::vector<std::string> outlines;
        for (const DrawnMarker& marker : markers) {
            outlines.push_back(marker.outline);
            EXPECT_EQ(1, marker.pen.width) << row << ": " << marker.outline;
            EXPECT_EQ(kCurveColor, marker.pen.color) << row << ": " << marker.outline;
        }
        EXPECT_EQ(expected, outlines) << row;
        EXPECT_EQ(type == 1 ? 4u : 0u, Rectangles(records).size()) << row;
        EXPECT_EQ(type == 2 ? 4u : 0u, Ellipses(records).size()) << row;
        if (markers.size() != expected.size())
            continue;

        // The last marker on each point comes after every line piece that
        // touches the point, so no line is drawn across a marker.
        for (std::size_t k = 0; k < centres.size(); ++k) {
            std::size_t last = 0;
            for (std::size_t j = 0; j < markers.size(); ++j) {
                if (order[j] == k)
                    last = j;
            }
            for (const Line& line : curve) {
                if (Joins(line, centres) && (Same(line.from, centres[k]) || Same(line.to, centres[k]))) {
                    EXPECT_LT(line.record, markers[last].record) << row << ": point " << k << ", piece " << Segment(line);
                }
            }
        }
    }
}

TEST(Renderer, LineStylesAndWidths)
{
    TestGraph graph({ 1, 2, 3 }, { 1, 4, 9 }, 600, 400);
    graph.params.lineType = 2;
    graph.params.lineSize = 1;
    graph.params.pointType = 0;
    std::vector<Record> records = DrawRecords(graph.params);
    std::vector<Line> dotted = LinesDrawnWithPen(records, [](const PenInfo& pen) { return pen.LineStyle() == PS_DOT; });
    ASSERT_FALSE(dotted.empty());
    EXPECT_EQ(2, dotted[0].pen.width) << "a Large line on the screen";
    EXPECT_FALSE(WithWidth(records, 3).empty()) << "Large axes are 3 wide";
    EXPECT_TRUE(Rectangles(records).empty()) << "no markers with None";
}

TEST(Renderer, PrintingUsesThePrinterRules)
{
    TestGraph graph({ 0, 100 }, { 0, 100 }, 1800, 1200);
    std::vector<Record> records = DrawRecords(graph.params, true);
    HDC hScreen = GetDC(nullptr);
    int vertres = GetDeviceCaps(hScreen, VERTRES);
    ReleaseDC(nullptr, hScreen);
    EXPECT_EQ(ComputeTextHeight(1200, vertres, true), g_graphRenderer.m_nTextHeight);
    EXPECT_FALSE(WithWidth(records, 4).empty()) << "Small axes on paper are 4 wide";
    EXPECT_FALSE(WithWidth(records, 3).empty()) << "ticks and data on paper are 3 wide";
}

TEST(Renderer, CurveIsClippedToThePlotGrownByTheMarker)
{
    TestGraph graph({ 0, 100 }, { 0, 100 }, 600, 400);
    std::vector<Record> records = DrawRecords(graph.params);
    const CGraphRenderer& r = g_graphRenderer;
    const int m = MarkerHalfSize(400, 0);
    std::vector<Shape> squares = Rectangles(records);
    ASSERT_FALSE(squares.empty());
    ASSERT_TRUE(squares[0].clip.clipped);
    ASSERT_EQ(1u, squares[0].clip.rects.size());
    const RECT& clip = squares[0].clip.rects[0];
    // Device units: the window origin (0, -H) moves logical y down by H.
    EXPECT_EQ(r.m_nPlotLeft - m, clip.left);
    EXPECT_EQ(400 - (r.m_nPlotBottom + r.m_nPlotHeight + m), clip.top);
    EXPECT_EQ(r.m_nPlotLeft + r.m_nPlotWidth + m, clip.right);
    EXPECT_EQ(400 - r.m_nPlotBottom + m, clip.bottom);
    // The frame itself is not clipped.
    EXPECT_FALSE(WithWidth(records, 2)[0].clip.clipped);
}

TEST(Renderer, EveryObjectItMakesIsDeleted)
{
    TestGraph graph({ 0.001f, 0.0173f, 0.01f }, { 0, 12345, -5 }, 600, 400);
    std::vector<float> tx(2), ty(2);
    float a, b;
    DrawRecords(graph.params);
    FitTrendLine(graph.params, g_graphRenderer.XScale(), g_graphRenderer.YScale(), tx.data(), ty.data(), a, b);
    GraphParams trend = MakeTrendRecord(graph.params, tx.data(), ty.data());
    std::vector<Record> records = DrawRecords(graph.params, false, &trend);
    EXPECT_EQ(0u, CountUnmatchedObjects(records)) << Describe(UndeletedObjects(records));
    std::vector<Line> blue = LinesDrawnWithPen(records, [](const PenInfo& pen) { return pen.color == RGB(0, 0, 255); });
    // The first piece of every curve is the empty one at its first point.
    ASSERT_EQ(2u, blue.size()) << "the trend line";
    EXPECT_NE(blue[1].from.x, blue[1].to.x);
}

TEST(Renderer, UnscalableDataDrawNothingAndSayTrue)
{
    TestGraph graph({ 1, 2 }, { 5, 5 }, 600, 400);
    graph.params.yMax = graph.params.yMin;
    HDC hMeta = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    CDC dc;
    dc.Attach(hMeta);
    EXPECT_TRUE(g_graphRenderer.Draw(&dc, &graph.params, FALSE));
    dc.Detach();
    DeleteEnhMetaFile(CloseEnhMetaFile(hMeta));
}

TEST(Renderer, TinyAreaDrawsNothingWithoutFailing)
{
    TestGraph graph({ 1, 2 }, { 1, 2 }, 20, 12);
    std::vector<Record> records = DrawRecords(graph.params);
    EXPECT_TRUE(g_graphRenderer.PlotTooSmall());
    EXPECT_TRUE(Lines(records).empty());
}
