#pragma once
// ReducedCurve: what a raster device needs of one curve, as a short list of
// line pieces and markers in drawing order and the runs of pixels to paint
// at the end (see graph/CurveReduction.h). It is kept with the key of
// everything it was made from, so that a repaint of the same curve on the
// same kind of context draws it again without choosing anew. A metafile
// keeps every point instead: the program that receives it may draw it at
// any size.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "graph/AxisScale.h"
#include "graph/CurveReduction.h"
#include "graph/GraphLayout.h"

struct GraphParams;

class ReducedCurve {
public:
    // Everything the choice depends on: the data, the style, the layout and
    // scales, the context's mapping, clip rectangle and colours.
    struct Key {
        const float* xValues;
        const float* yValues;
        int pointCount;
        std::uint32_t dataHash;
        int lineType;
        int pointType;
        int markerHalfSize;
        int penWidth;
        COLORREF curveColour;
        int plot[4];
        int scales[6];
        int mapping[10];
        RECT deviceClip;
        bool paintExact;
        COLORREF fillColour;

        static Key Of(HDC hDC, const RECT& deviceClip, const GraphParams& params, const GraphLayout& layout,
                      const AxisScale& xScale, const AxisScale& yScale, int m, int penWidth);
        bool operator==(const Key& other) const;
    };

    // One line piece or marker, in logical units (heights above the bottom).
    struct Step {
        bool line;  // a line piece from (x1, h1) to (x2, h2); otherwise a marker at (x1, h1)
        int x1;
        int h1;
        int x2;
        int h2;
    };

    // Whether the context paints pixels (screen, printer, bitmap) rather than
    // recording calls.
    static bool IsRaster(HDC hDC);

    ReducedCurve(HDC hDC, const PointMapper& map, const Key& key);

    const Key& GetKey() const { return m_key; }
    const std::vector<Step>& Steps() const { return m_steps; }
    // Paints the pixels whose colour was found to be final, after the steps.
    void PaintKnownPixels(HDC hDC) const;

private:
    class LogicalPoints;
    // The pieces and markers of the visited points, in drawing order.
    void ChooseSteps(const LogicalPoints& points, const PointFlags& flags, bool bSkipRepeats);

    Key m_key;
    std::vector<Step> m_steps;
    std::vector<PixelSpan> m_spans;  // in logical units
};
