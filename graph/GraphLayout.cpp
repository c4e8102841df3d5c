#include "graph/GraphLayout.h"

namespace {

// Conversion by truncation toward zero of a value known to be in range.
int Trunc(double value)
{
    return static_cast<int>(value);
}

// The largest multiple of step not above value (value when step is not positive).
int FloorToMultiple(int value, long long step)
{
    if (step <= 0 || value <= 0)
        return value;
    return static_cast<int>(value - value % step);
}

}  // namespace

int ComputeTextHeight(int areaHeight, int verticalResolution, bool printing)
{
    float pct = verticalResolution > 0 ? static_cast<float>(areaHeight) / static_cast<float>(verticalResolution) * 100.0f
                                       : 100.0f;
    float f = printing ? 4.83f - pct * 0.0133f : 8.6f - pct * 0.056f;
    double height = f * static_cast<float>(areaHeight) * 0.01 + 0.5;
    // An area far taller than the device (a huge printed size) takes the
    // factor to zero or below. The height stays at least 1: a font of height 0
    // is the default size to Windows, not the smallest.
    if (!(height >= 1.0))
        return 1;
    return height < 1e6 ? Trunc(height) : 1000000;
}

bool ComputeGraphLayout(const GraphParams& params, const AxisScale& xScale, const AxisScale& yScale, int textHeight,
                        bool printing, GraphLayout& layout)
{
    const int t = textHeight;
    const int H = params.areaHeight;
    const int W = params.areaWidth;
    layout.textHeight = t;
    layout.penBase = printing ? 2 * params.lineSize + 2 : params.lineSize;
    layout.tickLength = Trunc(H * 0.015f + 0.5f);
    layout.gap = Trunc(H * 0.005f + 0.5f);
    const int tick = layout.tickLength;
    const int gap = layout.gap;
    layout.plotLeft = 4 * t + 5 * gap + 2 * tick;
    layout.plotBottom = 2 * tick + 2 * t + 3 * gap;
    // Whole minor divisions only, so every tick and dash falls on a whole unit.
    long long yDivisions = static_cast<long long>(yScale.minorCount) * params.yIncrements;
    long long xDivisions = static_cast<long long>(xScale.minorCount) * params.xIncrements;
    layout.plotHeight = FloorToMultiple(H - t / 4 - 3 * gap - t - layout.plotBottom, yDivisions);
    layout.plotWidth = FloorToMultiple(W - 2 * t - gap - layout.plotLeft, xDivisions);
    return yDivisions > 0 && xDivisions > 0 && layout.plotHeight >= yDivisions && layout.plotWidth >= xDivisions;
}

int MarkerHalfSize(int areaHeight, int pointSize)
{
    int m = pointSize == 1 ? Trunc(areaHeight * 0.005f * 1.3f + 0.5f) : Trunc(areaHeight * 0.005f + 0.5f);
    return m < pointSize + 2 ? pointSize + 2 : m;
}

PointMapper::PointMapper(const GraphLayout& layout, const AxisScale& xScale, const AxisScale& yScale)
    : m_xFactor(PowerOfTen(-xScale.exponent)),
      m_yFactor(PowerOfTen(-yScale.exponent)),
      m_xLow(xScale.minLabel),
      m_yLow(yScale.minLabel),
      m_fx(static_cast<float>(layout.plotWidth) / static_cast<float>(xScale.maxLabel - xScale.minLabel)),
      m_fy(static_cast<float>(layout.plotHeight) / static_cast<float>(yScale.maxLabel - yScale.minLabel)),
      m_xOrigin(layout.plotLeft),
      m_yOrigin(layout.plotBottom)
{
}

int PointMapper::Map(float value, double factor, int low, float scale, int origin)
{
    double position = (value * factor - low) * scale + origin + 0.5;
    // GDI takes coordinates of 27 bits; beyond that, and for infinities, the
    // point is held at the limit (far outside the clip region either way).
    const double kLimit = 67108864.0;
    if (!(position > -kLimit))
        return -67108864;
    if (position > kLimit)
        return 67108864;
    return Trunc(position);
}
