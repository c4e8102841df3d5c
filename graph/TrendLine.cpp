#include "graph/TrendLine.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "document/NumberText.h"

const char kTrendEquationCaption[] = "Trend Line Equation";

const char kNoTrendLineText[] = "There is no trend line: all points have the same X value, or nearly so.";

namespace {

const int kTrendPointType = 0;  // no markers
const int kTrendLineType = 1;   // solid
const std::uint32_t kTrendColor = 0x00FF0000;  // blue, as 0x00BBGGRR

const int kEquationPrecision = 4;

// The float nearest to value, kept finite: converting a double beyond the float
// range is undefined, and an axis may reach past it when the data come close.
float ToFiniteFloat(double value)
{
    if (value > FLT_MAX)
        return FLT_MAX;
    if (value < -FLT_MAX)
        return -FLT_MAX;
    return static_cast<float>(value);
}

// The data value of a label of scale, as a float. Label 0 is 0 even where the
// power of ten has overflowed to infinity (which would make the product NaN).
float AxisEnd(const AxisScale& scale, int label)
{
    if (label == 0)
        return 0.0f;
    return ToFiniteFloat(PowerOfTen(scale.exponent) * label);
}

// The sums are accumulated in double, where they can run into enough
// cancellation to make points with one X value look spread, so equality is
// checked on the values themselves.
bool AllEqual(const float* values, int count)
{
    for (int i = 1; i < count; ++i) {
        if (values[i] != values[0])
            return false;
    }
    return true;
}

// The least-squares intercept a and slope b of the points of params; false
// when the points fix no line.
bool LeastSquares(const GraphParams& params, float& a, float& b)
{
    const int n = params.pointCount;
    if (n < 2 || !params.xValues || !params.yValues || AllEqual(params.xValues, n))
        return false;

    double sumX = 0.0;
    double sumY = 0.0;
    double sumXX = 0.0;
    double sumXY = 0.0;
    for (int i = 0; i < n; ++i) {
        const double x = params.xValues[i];
        const double y = params.yValues[i];
        sumX += x;
        sumY += y;
        sumXX += x * x;
        sumXY += x * y;
    }

    // D is positive for any two distinct X values; rounding can take it to 0 or
    // below when they are very close, and then a and b mean nothing. Very close X
    // values can also give a slope past the float range.
    const double count = n;
    const double d = count * sumXX - sumX * sumX;
    if (!(d > 0.0))
        return false;
    const double intercept = (sumXX * sumY - sumX * sumXY) / d;
    const double slope = (count * sumXY - sumX * sumY) / d;
    if (!(std::fabs(intercept) <= FLT_MAX && std::fabs(slope) <= FLT_MAX))
        return false;
    a = static_cast<float>(intercept);
    b = static_cast<float>(slope);
    return true;
}

// The line's height at x in single precision, as the fit is drawn; where
// that overflows (axes near the float limits) the double result stands in.
double HeightAt(float a, float b, float x)
{
    float y = a + b * x;
    return std::isfinite(y) ? y : a + static_cast<double>(b) * x;
}

// How far along X the line runs while its height changes by rise: in single
// precision, or in double where that overflows.
double RunFor(double rise, float b)
{
    float run = std::fabs(static_cast<float>(rise) / b);
    return std::isfinite(run) ? run : std::fabs(rise / b);
}

// Places the end of the line at the axis end x, of height y there, into the Y
// range yLo to yHi: an end outside it moves along the line toward farX, the
// other end of the axis, to where the line crosses the bottom or the top. The
// slope b is not 0 here, as a level line outside the range never reaches this.
void PlaceEnd(float x, float farX, double y, float b, float yLo, float yHi, float& endX, float& endY)
{
    double distance = -1.0;
    if (y < yLo) {
        endY = yLo;
        distance = RunFor(yLo - y, b);
    }
    if (y > yHi) {
        endY = yHi;
        distance = RunFor(y - yHi, b);
    }
    if (distance < 0.0) {
        endX = x;
        endY = static_cast<float>(y);  // within the Y range, so within the float range
        return;
    }
    // A nearly level line that crosses close to the far end can be carried a
    // hair past it by the rounding of the heights, which shows where that end
    // is 0; the end stays on the axis.
    float d = static_cast<float>(distance);
    float moved = x < farX ? x + d : x - d;
    if (!std::isfinite(moved))
        moved = static_cast<float>(x < farX ? x + distance : x - distance);
    endX = x < farX ? std::min(moved, farX) : std::max(moved, farX);
}

}  // namespace

TrendFit FitTrendLine(const GraphParams& params, const AxisScale& xScale, const AxisScale& yScale, float endX[2],
                      float endY[2], float& intercept, float& slope)
{
    endX[0] = endX[1] = 0.0f;
    endY[0] = endY[1] = 0.0f;
    intercept = 0.0f;
    slope = 0.0f;
    float a = 0.0f;
    float b = 0.0f;
    if (!LeastSquares(params, a, b))
        return TrendFit::AllXEqual;
    intercept = a;
    slope = b;

    const float xLo = AxisEnd(xScale, xScale.minLabel);
    const float xHi = AxisEnd(xScale, xScale.maxLabel);
    const float yLo = AxisEnd(yScale, yScale.minLabel);
    const float yHi = AxisEnd(yScale, yScale.maxLabel);

    const double yLeft = HeightAt(a, b, xLo);
    const double yRight = HeightAt(a, b, xHi);

    // Both ends on one side of the range: the line never enters the plot, and
    // pulling the ends in would move each away from its crossing, not onto it.
    if ((yLeft < yLo && yRight < yLo) || (yLeft > yHi && yRight > yHi))
        return TrendFit::OutsideYRange;

    PlaceEnd(xLo, xHi, yLeft, b, yLo, yHi, endX[0], endY[0]);
    PlaceEnd(xHi, xLo, yRight, b, yLo, yHi, endX[1], endY[1]);
    return TrendFit::Drawn;
}

GraphParams MakeTrendRecord(const GraphParams& graph, float endX[2], float endY[2])
{
    GraphParams record = graph;
    record.pointCount = 2;
    record.xValues = endX;
    record.yValues = endY;
    record.pointType = kTrendPointType;
    record.lineType = kTrendLineType;
    record.curveColor = kTrendColor;
    return record;
}

std::string TrendEquationText(float intercept, float slope)
{
    // Adding 0 turns a negative zero into 0, which would otherwise read "-0".
    const double a = static_cast<double>(intercept) + 0.0;
    const double b = static_cast<double>(slope) + 0.0;
    std::string text = "Y = " + FormatG(a, kEquationPrecision);
    if (b < 0.0)
        text += " - " + FormatG(-b, kEquationPrecision);
    else
        text += " + " + FormatG(b, kEquationPrecision);
    return text + " X";
}
