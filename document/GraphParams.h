#pragma once
// GraphParams: everything the renderer needs to draw one graph, as one plain
// record the view can copy whole.
#include <cstdint>

struct GraphParams {
    int pointCount;        // points in xValues and yValues: 0 or at least 2
    float* xValues;        // ascending
    float* yValues;        // moved together with their X
    int pointType;         // marker: 0 None, 1 Square, 2 Circle, 3 X
    int pointSize;         // 0 Small, 1 Large
    int lineType;          // 0 None, 1 Solid, 2 Dash
    int lineSize;          // 0 Small, 1 Large
    int xIncrements;       // major X grid increments, 2 to 10
    int yIncrements;       // major Y grid increments, 2 to 10
    std::uint32_t curveColor;  // 0x00BBGGRR
    const char* title;
    const char* xLabel;
    const char* yLabel;
    int areaWidth;         // drawing area in device units, written before each drawing
    int areaHeight;
    int showGrid;
    double yMin, yMax;     // Y scale limits in force (Y before X)
    double xMin, xMax;
};
