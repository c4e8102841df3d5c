#pragma once
// Trend line: the least-squares straight line y = a + b x through a graph's
// points, fitted to the axes the renderer has laid out, and the texts the view
// shows about it. Plain arithmetic without state or windows.
#include <string>

#include "document/GraphParams.h"
#include "graph/AxisScale.h"

// What FitTrendLine found.
enum class TrendFit {
    Drawn,          // the ends hold a segment to draw
    AllXEqual,      // no line: the X values are all equal, or too close to fit one
    OutsideYRange,  // the line misses the Y range over the whole X axis
};

// Fits the line through the points of params and places its ends in data units:
// at the two ends of the X axis, each pulled in along the line to the bottom or
// top of the plot where it would leave the Y range. intercept and slope receive
// a and b. With AllXEqual they and the ends are set to 0; with OutsideYRange
// intercept and slope hold the fit and the ends are set to 0.
TrendFit FitTrendLine(const GraphParams& params, const AxisScale& xScale, const AxisScale& yScale, float endX[2],
                      float endY[2], float& intercept, float& slope);

// The record that draws the line over graph: its two ends as a solid blue curve
// without markers, every other field as graph has it.
GraphParams MakeTrendRecord(const GraphParams& graph, float endX[2], float endY[2]);

// The line's equation as the equation box shows it, "Y = 5 - 2 X": the slope's
// sign written as the operator, each number to four significant digits.
std::string TrendEquationText(float intercept, float slope);

// What the equation box says when the points fix no line (TrendFit::AllXEqual).
extern const char kNoTrendLineText[];

// The caption of the equation box.
extern const char kTrendEquationCaption[];
