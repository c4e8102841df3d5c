#pragma once
// A graph record over points of its own, with the document's default
// settings and the data's ranges as scale limits, for the renderer's tests
// and the drawing benchmark.
#include <algorithm>
#include <vector>

#include "document/GraphParams.h"

// A graph of the given points with the document's default settings.
struct TestGraph {
    std::vector<float> x;
    std::vector<float> y;
    GraphParams params;

    TestGraph(std::vector<float> xs, std::vector<float> ys, int width, int height) : x(xs), y(ys), params()
    {
        params.pointCount = static_cast<int>(x.size());
        params.xValues = x.data();
        params.yValues = y.data();
        params.pointType = 1;
        params.lineType = 1;
        params.xIncrements = 5;
        params.yIncrements = 4;
        params.title = "Graph Title";
        params.xLabel = "X Axis Label";
        params.yLabel = "Y Axis Label";
        params.areaWidth = width;
        params.areaHeight = height;
        params.showGrid = 1;
        auto range = [](const std::vector<float>& v, double& lo, double& hi) {
            lo = *std::min_element(v.begin(), v.end());
            hi = *std::max_element(v.begin(), v.end());
        };
        range(x, params.xMin, params.xMax);
        range(y, params.yMin, params.yMax);
    }
};
