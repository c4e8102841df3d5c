#include "graph/CurvePoints.h"

#include <algorithm>
#include <cmath>

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

}  // namespace

CurvePoints::CurvePoints(const GraphParams& g, const PointMapper& map)
{
    m_x.resize(g.pointCount);
    m_height.resize(g.pointCount);
    for (int i = 0; i < g.pointCount; ++i) {
        m_x[i] = map.X(g.xValues[i]);
        m_height[i] = map.Height(g.yValues[i]);
    }
}

bool CurvePoints::IsRaster(HDC hDC)
{
    DWORD type = GetObjectType(hDC);
    return type != OBJ_ENHMETADC && type != OBJ_METADC;
}

void CurvePoints::Reduce(HDC hDC, const RECT& deviceClip, int lineType, int pointType, int m, int penWidth)
{
    const int n = Count();
    m_flags.assign(n, 0);
    if (n == 0 || (lineType == 0 && pointType == 0))
        return;
    // The tables span the clip rectangle in logical units and a margin for
    // the markers and pens that reach into it from outside.
    RECT logical = deviceClip;
    DPtoLP(hDC, reinterpret_cast<POINT*>(&logical), 2);
    const int margin = 2 * m + penWidth + 4;
    AxisTable devX(hDC, false, std::min(logical.left, logical.right) - margin,
                   std::max(logical.left, logical.right) + margin);
    AxisTable devY(hDC, true, std::min(logical.top, logical.bottom) - margin,
                   std::max(logical.top, logical.bottom) + margin);
    // A pen's width follows the mapping; a thin pen stays one pixel.
    double scale = std::max(std::fabs(devX(1000) - devX(0)), std::fabs(devY(1000) - devY(0))) / 1000.0;
    const int deviceWidth = std::max(1, static_cast<int>(std::ceil(penWidth * scale - 1e-9)));

    auto point = [&](int i) { return PixelPoint{ devX(m_x[i]), devY(-m_height[i]) }; };
    // A cross's strokes run from a unit left of its box to a unit beyond its
    // right and bottom edges.
    const int crossSpare = pointType == 3 ? 1 : 0;
    auto box = [&](int i) {
        int x = m_x[i];
        int h = m_height[i];
        return Normalized(devX(x - m - crossSpare), devY(-(h + m)), devX(x + m + crossSpare),
                          devY(m - h + crossSpare));
    };
    auto repeat = [&](int i) { return i > 0 && m_x[i] == m_x[i - 1] && m_height[i] == m_height[i - 1]; };
    const bool unscaled = devX(1000) - devX(0) == 1000 && devY(1000) - devY(0) == 1000;
    PixelBox area = Normalized(deviceClip.left, deviceClip.top, deviceClip.right, deviceClip.bottom);
    const long long areaPixels = static_cast<long long>(area.right - area.left) * (area.bottom - area.top);
    const bool paint = unscaled && deviceWidth == 1 && lineType != 2 && pointType <= 1 && areaPixels <= (1 << 22) &&
                       PaintsExactColours(hDC, m_fillColour);
    CurveStyle style = { lineType > 0, ShapeOf(pointType), deviceWidth, unscaled || pointType != 3, paint };
    ChooseCurvePoints(n, point, box, repeat, style, lineType == 2, area, m_flags, m_spans);
    // Unscaled, a device pixel is a logical unit moved by the origin.
    for (PixelSpan& span : m_spans) {
        span.x -= devX(0);
        span.top -= devY(0);
        span.bottom -= devY(0);
    }
}

bool CurvePoints::PaintsExactColours(HDC hDC, COLORREF& fillColour)
{
    // A display or bitmap of true colour, painting over what was there.
    LOGBRUSH brush = {};
    if (GetDeviceCaps(hDC, TECHNOLOGY) != DT_RASDISPLAY ||
        GetDeviceCaps(hDC, BITSPIXEL) * GetDeviceCaps(hDC, PLANES) < 24 || GetROP2(hDC) != R2_COPYPEN ||
        !GetObjectA(GetCurrentObject(hDC, OBJ_BRUSH), sizeof brush, &brush) || brush.lbStyle != BS_SOLID)
        return false;
    fillColour = brush.lbColor;
    return true;
}

void CurvePoints::PaintKnownPixels(HDC hDC, COLORREF curveColour) const
{
    if (m_spans.empty())
        return;
    CBrush curve;
    CBrush fill;
    curve.CreateSolidBrush(curveColour);
    fill.CreateSolidBrush(m_fillColour);
    for (const PixelSpan& span : m_spans) {
        RECT rc = { span.x, span.top, span.x + 1, span.bottom };
        FillRect(hDC, &rc, span.colour == kCurveColour ? curve : fill);
    }
}
