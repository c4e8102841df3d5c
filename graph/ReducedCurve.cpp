#include "graph/ReducedCurve.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "document/GraphParams.h"
#include "framework/Gdi.h"
#include "graph/GraphLayout.h"

namespace {

// Logical to device positions of one context, one axis at a time (the
// mapping modes scale and move each axis on its own), read from the context
// itself for a span of logical values and asked for singly outside it.
class AxisTable {
public:
    AxisTable(HDC hDC, bool vertical, int from, int to) : m_hDC(hDC), m_bVertical(vertical), m_from(from)
    {
        std::vector<POINT> points(to > from ? to - from : 0);
        for (int v = from; v < to; ++v)
            points[v - from] = vertical ? POINT{ 0, v } : POINT{ v, 0 };
        if (!points.empty())
            LPtoDP(hDC, points.data(), static_cast<int>(points.size()));
        m_device.reserve(points.size());
        for (const POINT& p : points)
            m_device.push_back(vertical ? p.y : p.x);
    }

    int operator()(int v) const
    {
        unsigned offset = static_cast<unsigned>(v - m_from);
        if (offset < m_device.size())
            return m_device[offset];
        POINT p = m_bVertical ? POINT{ 0, v } : POINT{ v, 0 };
        LPtoDP(m_hDC, &p, 1);
        return m_bVertical ? p.y : p.x;
    }

private:
    HDC m_hDC;
    bool m_bVertical;
    int m_from;
    std::vector<int> m_device;
};

MarkerShape ShapeOf(int pointType)
{
    switch (pointType) {
    case 1:
        return MarkerShape::Square;
    case 2:
        return MarkerShape::Circle;
    case 3:
        return MarkerShape::Cross;
    default:
        return MarkerShape::None;
    }
}

PixelBox Normalized(int x1, int y1, int x2, int y2)
{
    return { std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2) };
}

// A hash of the values' bits (FNV-1a), to tell new data in reused memory.
std::uint32_t HashValues(const float* values, int count, std::uint32_t hash)
{
    for (int i = 0; i < count; ++i) {
        std::uint32_t bits;
        std::memcpy(&bits, &values[i], sizeof bits);
        hash = (hash ^ bits) * 16777619u;
    }
    return hash;
}

// The context keeps colours as given, so that pixels can be painted
// directly: a display or bitmap of true colour painting over what was there,
// with a solid brush, whose colour fillColour takes.
bool PaintsExactColours(HDC hDC, COLORREF& fillColour)
{
    LOGBRUSH brush = {};
    if (GetDeviceCaps(hDC, TECHNOLOGY) != DT_RASDISPLAY ||
        GetDeviceCaps(hDC, BITSPIXEL) * GetDeviceCaps(hDC, PLANES) < 24 || GetROP2(hDC) != R2_COPYPEN ||
        !GetObjectA(GetCurrentObject(hDC, OBJ_BRUSH), sizeof brush, &brush) || brush.lbStyle != BS_SOLID)
        return false;
    fillColour = brush.lbColor;
    return true;
}

// Each value at most the next (no NaN among them).
bool Ascending(const float* values, int n)
{
    for (int i = 1; i < n; ++i) {
        if (!(values[i - 1] <= values[i]))
            return false;
    }
    return true;
}

}  // namespace

// The points' logical positions, as the renderer draws them, mapped when
// asked for: the walks over a curve ask for the same few points in turn, and
// a million positions kept whole would take memory the load already needs.
class ReducedCurve::LogicalPoints {
public:
    LogicalPoints(const float* xValues, const float* yValues, int n, const PointMapper& map)
        : m_xValues(xValues), m_yValues(yValues), m_n(n), m_map(map)
    {
    }
    int Count() const { return m_n; }
    int X(int i) const { return Slot(i).x; }
    int Height(int i) const { return Slot(i).height; }

private:
    struct Entry {
        int index;
        int x;
        int height;
    };
    const Entry& Slot(int i) const
    {
        Entry& e = m_recent[i & 3];
        if (e.index != i)
            e = { i, m_map.X(m_xValues[i]), m_map.Height(m_yValues[i]) };
        return e;
    }

    const float* m_xValues;
    const float* m_yValues;
    int m_n;
    const PointMapper& m_map;
    mutable Entry m_recent[4] = { { -1, 0, 0 }, { -1, 0, 0 }, { -1, 0, 0 }, { -1, 0, 0 } };
};


ReducedCurve::Key ReducedCurve::Key::Of(HDC hDC, const RECT& deviceClip, const GraphParams& g,
                                        const GraphLayout& layout, const AxisScale& xScale, const AxisScale& yScale,
                                        int m, int penWidth)
{
    Key key = {};
    key.xValues = g.xValues;
    key.yValues = g.yValues;
    key.pointCount = g.pointCount;
    key.dataHash = HashValues(g.yValues, g.pointCount, HashValues(g.xValues, g.pointCount, 2166136261u));
    key.lineType = g.lineType;
    key.pointType = g.pointType;
    key.markerHalfSize = m;
    key.penWidth = penWidth;
    key.curveColour = g.curveColor;
    const int plot[4] = { layout.plotLeft, layout.plotWidth, layout.plotBottom, layout.plotHeight };
    std::memcpy(key.plot, plot, sizeof plot);
    const int scales[6] = { xScale.minLabel, xScale.maxLabel, xScale.exponent,
                            yScale.minLabel, yScale.maxLabel, yScale.exponent };
    std::memcpy(key.scales, scales, sizeof scales);
    POINT windowOrg, viewportOrg;
    SIZE windowExt, viewportExt;
    GetWindowOrgEx(hDC, &windowOrg);
    GetViewportOrgEx(hDC, &viewportOrg);
    GetWindowExtEx(hDC, &windowExt);
    GetViewportExtEx(hDC, &viewportExt);
    const int mapping[10] = { GetMapMode(hDC), GetGraphicsMode(hDC), windowOrg.x, windowOrg.y, viewportOrg.x,
                              viewportOrg.y, windowExt.cx, windowExt.cy, viewportExt.cx, viewportExt.cy };
    std::memcpy(key.mapping, mapping, sizeof mapping);
    key.deviceClip = deviceClip;
    key.paintExact = PaintsExactColours(hDC, key.fillColour);
    return key;
}

bool ReducedCurve::Key::operator==(const Key& o) const
{
    // A context in the advanced graphics mode may have any world transform.
    return xValues == o.xValues && yValues == o.yValues && pointCount == o.pointCount && dataHash == o.dataHash &&
           lineType == o.lineType && pointType == o.pointType && markerHalfSize == o.markerHalfSize &&
           penWidth == o.penWidth && curveColour == o.curveColour && !std::memcmp(plot, o.plot, sizeof plot) &&
           !std::memcmp(scales, o.scales, sizeof scales) && !std::memcmp(mapping, o.mapping, sizeof mapping) &&
           mapping[1] == GM_COMPATIBLE && EqualRect(&deviceClip, &o.deviceClip) && paintExact == o.paintExact &&
           fillColour == o.fillColour;
}

bool ReducedCurve::IsRaster(HDC hDC)
{
    DWORD type = GetObjectType(hDC);
    return type != OBJ_ENHMETADC && type != OBJ_METADC;
}

ReducedCurve::ReducedCurve(HDC hDC, const PointMapper& map, const Key& key) : m_key(key)
{
    const int n = key.pointCount;
    const int lineType = key.lineType;
    const int pointType = key.pointType;
    const int m = key.markerHalfSize;
    if (n == 0 || (lineType == 0 && pointType == 0))
        return;
    LogicalPoints points(key.xValues, key.yValues, n, map);
    // The tables span the clip rectangle in logical units and a margin for
    // the markers and pens that reach into it from outside.
    RECT logical = key.deviceClip;
    DPtoLP(hDC, reinterpret_cast<POINT*>(&logical), 2);
    const int margin = 2 * m + key.penWidth + 4;
    AxisTable devX(hDC, false, std::min(logical.left, logical.right) - margin,
                   std::max(logical.left, logical.right) + margin);
    AxisTable devY(hDC, true, std::min(logical.top, logical.bottom) - margin,
                   std::max(logical.top, logical.bottom) + margin);
    // A pen's width follows the mapping; a thin pen stays one pixel.
    double scale = std::max(std::fabs(devX(1000) - devX(0)), std::fabs(devY(1000) - devY(0))) / 1000.0;
    const int deviceWidth = std::max(1, static_cast<int>(std::ceil(key.penWidth * scale - 1e-9)));

    auto point = [&](int i) { return PixelPoint{ devX(points.X(i)), devY(-points.Height(i)) }; };
    // A cross's strokes run from a unit left of its box to a unit beyond its
    // right and bottom edges.
    const int crossSpare = pointType == 3 ? 1 : 0;
    auto box = [&](int i) {
        const int x = points.X(i);
        const int h = points.Height(i);
        return Normalized(devX(x - m - crossSpare), devY(-(h + m)), devX(x + m + crossSpare),
                          devY(m - h + crossSpare));
    };
    auto repeat = [&](int i) {
        return i > 0 && points.X(i) == points.X(i - 1) && points.Height(i) == points.Height(i - 1);
    };
    const bool unscaled = devX(1000) - devX(0) == 1000 && devY(1000) - devY(0) == 1000;
    const RECT& clip = key.deviceClip;
    PixelBox area = Normalized(clip.left, clip.top, clip.right, clip.bottom);
    const long long areaPixels = static_cast<long long>(area.right - area.left) * (area.bottom - area.top);
    const bool paint =
        key.paintExact && unscaled && deviceWidth == 1 && lineType != 2 && pointType <= 1 && areaPixels <= (1 << 22);
    CurveStyle style = { lineType > 0, ShapeOf(pointType), deviceWidth, unscaled || pointType != 3, paint };
    // Sorted by X and mapped left to right, as the document's points are.
    style.pointsAscend = Ascending(key.xValues, n) && devX(1000) > devX(0) && points.X(0) <= points.X(n - 1);
    PointFlags flags(n);
    ChooseCurvePoints(n, point, box, repeat, style, lineType == 2, area, flags, m_spans);
    // Unscaled, a device pixel is a logical unit moved by the origin.
    for (PixelSpan& span : m_spans) {
        span.x -= devX(0);
        span.top -= devY(0);
        span.bottom -= devY(0);
    }
    // A line alone may visit two points on one unit; elsewhere no point
    // visited repeats the one before.
    ChooseSteps(points, flags, style.lines && lineType != 2 && style.marker == MarkerShape::None);
}

void ReducedCurve::ChooseSteps(const LogicalPoints& points, const PointFlags& flags, bool bSkipRepeats)
{
    // The renderer's order: at each point the piece from the previous one,
    // then the previous one's marker; the last marker at the end. The first
    // point's marker is drawn again with the next piece, so its first drawing
    // is left out.
    int previous = -1;
    int xp = 0;
    int hp = 0;
    for (int i = 0; i < points.Count(); ++i) {
        if (!(flags[i] & kVisitPoint))
            continue;
        const int x = points.X(i);
        const int h = points.Height(i);
        if (bSkipRepeats && previous >= 0 && x == xp && h == hp)
            continue;
        if (flags[i] & kDrawLine)
            m_steps.push_back({ true, previous >= 0 ? xp : x, previous >= 0 ? hp : h, x, h });
        if (previous >= 0 && (flags[previous] & kDrawMarker))
            m_steps.push_back({ false, xp, hp, 0, 0 });
        previous = i;
        xp = x;
        hp = h;
    }
    if (previous >= 0 && (flags[previous] & kDrawMarker))
        m_steps.push_back({ false, xp, hp, 0, 0 });
}

void ReducedCurve::PaintKnownPixels(HDC hDC) const
{
    if (m_spans.empty())
        return;
    CBrush curve;
    CBrush fill;
    curve.CreateSolidBrush(m_key.curveColour);
    fill.CreateSolidBrush(m_key.fillColour);
    for (const PixelSpan& span : m_spans) {
        RECT rc = { span.x, span.top, span.x + 1, span.bottom };
        FillRect(hDC, &rc, span.colour == kCurveColour ? curve : fill);
    }
}
