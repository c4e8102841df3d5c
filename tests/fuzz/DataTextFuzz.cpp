// libFuzzer target: random bytes as a data file or pasted text, through the
// whole road of a load: line splitting, the layout parser, the line
// conversion, the sort, the ranges, the axis scaling of those ranges, and the
// layout of the settings as the document applies them.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/DataLines.h"
#include "document/DataText.h"
#include "document/NumberText.h"
#include "graph/AxisScale.h"
#include "graph/GraphLayout.h"
#include "tests/support/DataTextHelpers.h"

namespace {

void ScaleRange(const double range[2], int n)
{
    AxisScale scale;
    ScaleAxis(range[0], range[1], n, scale);
    int chosen = ChooseIncrements(range);
    if (chosen < 2 || chosen > 10)
        __builtin_trap();
}

bool SameNumber(double a, double b)
{
    // Limits are written with six digits, so only the text must agree.
    return !std::isfinite(a) || FormatG(a) == FormatG(b);
}

// What was read, written again and read back, gives the same settings: a
// saved file always opens again.
void CheckRoundTrip(const std::vector<std::string>& lines, int dataCount, const DataTextSettings& s)
{
    std::string file;
    for (int i = 0; i < dataCount; ++i)
        file += FormatDataLine(lines[i]);
    file += FormatDataTextTrailer(s);
    std::vector<std::string> again = SplitArchiveLines(file);
    DataTextSettings back = NewDocumentSettings();
    DataTextResult r =
        ParseDataText(static_cast<int>(again.size()), [&](int i) -> const std::string& { return again[i]; }, back);
    if (r.fault != DataTextFault::None || r.dataCount != dataCount || back.xIncrements != s.xIncrements || back.lineType != s.lineType ||
        back.showGrid != s.showGrid || back.useXScale != s.useXScale || !SameNumber(s.yMin, back.yMin) ||
        !SameNumber(s.xMax, back.xMax))
        __builtin_trap();
}

// Lays the graph out at a few area sizes, as screen and printer would, and
// forms the curve's clip rectangle the way the renderer does; UBSan stops
// on any overflow.
void LayOut(DataTextSettings s, const double xRange[2], const double yRange[2])
{
    BringSettingsIntoRange(s);
    AxisScale xScale;
    AxisScale yScale;
    if (ScaleAxis(s.useXScale ? s.xMin : xRange[0], s.useXScale ? s.xMax : xRange[1], s.xIncrements, xScale) ||
        ScaleAxis(s.useYScale ? s.yMin : yRange[0], s.useYScale ? s.yMax : yRange[1], s.yIncrements, yScale))
        return;
    const int sizes[][2] = { { 1, 1 }, { 600, 400 }, { 12000, 12000 } };
    for (const auto& size : sizes) {
        GraphParams g = {};
        g.xIncrements = s.xIncrements;
        g.yIncrements = s.yIncrements;
        g.pointSize = s.pointSize;
        g.lineSize = s.lineSize;
        g.areaWidth = size[0];
        g.areaHeight = size[1];
        const bool printing = size[0] > 1000;
        GraphLayout layout;
        int t = ComputeTextHeight(g.areaHeight, 768, printing);
        if (t < 1 || !ComputeGraphLayout(g, xScale, yScale, t, printing, layout))
            continue;
        const int m = MarkerHalfSize(g.areaHeight, g.pointSize);
        volatile int clip = layout.plotLeft + layout.plotWidth + m + layout.plotBottom + layout.plotHeight + m;
        volatile int pen = layout.penBase + 2;
        (void)clip;
        (void)pen;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> lines = SplitArchiveLines(reinterpret_cast<const char*>(data), size);
    DataTextSettings settings = NewDocumentSettings();
    int n = static_cast<int>(lines.size());
    DataTextResult result =
        ParseDataText(n, [&](int i) -> const std::string& { return lines[i]; }, settings);
    if (result.fault != DataTextFault::None)
        return 0;
    CheckRoundTrip(lines, result.dataCount, settings);

    std::vector<float> x(result.dataCount);
    std::vector<float> y(result.dataCount);
    ConvertResult converted =
        ConvertDataLines(result.dataCount, [&](int i) -> const std::string& { return lines[i]; }, x.data(), y.data());
    if (converted.fault != LineFault::None)
        return 0;
    SortPointsByX(result.dataCount, x.data(), y.data());
    for (int i = 1; i < result.dataCount; ++i) {
        if (x[i - 1] > x[i])
            __builtin_trap();
    }
    double xRange[2];
    double yRange[2];
    ComputeRange(x.data(), result.dataCount, xRange);
    ComputeRange(y.data(), result.dataCount, yRange);
    ScaleRange(xRange, settings.xIncrements);
    ScaleRange(yRange, settings.yIncrements);
    const double fixedRange[2] = { settings.yMin, settings.yMax };
    ScaleRange(fixedRange, 5);
    LayOut(settings, xRange, yRange);
    return 0;
}
