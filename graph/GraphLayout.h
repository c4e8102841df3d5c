#pragma once
// The arithmetic of a graph's layout, with no dependence on Windows: the text
// height, the plot rectangle, tick and gap sizes, pen widths, marker size and
// the mapping of data values to positions.
#include "document/GraphParams.h"
#include "graph/AxisScale.h"

// The label text height for a drawing area areaHeight units high on a device
// verticalResolution pixels high. Printer and preview text is relatively
// smaller than screen and metafile text. Never less than 1.
int ComputeTextHeight(int areaHeight, int verticalResolution, bool printing);

struct GraphLayout {
    int textHeight;  // t
    int tickLength;  // a minor tick; major ticks are twice as long
    int gap;         // the small spacing unit
    int plotLeft;    // x of the Y axis
    int plotWidth;
    int plotBottom;  // height of the X axis above the area's bottom
    int plotHeight;
    int penBase;     // pen widths are this plus 1 or 2
};

// Lays out the plot for the area of params with both scales known. False when
// the area is too small to hold one minor division on either axis; nothing is
// drawn then.
bool ComputeGraphLayout(const GraphParams& params, const AxisScale& xScale, const AxisScale& yScale, int textHeight,
                        bool printing, GraphLayout& layout);

// Half the side of a point marker, in units.
int MarkerHalfSize(int areaHeight, int pointSize);

// Maps data values onto the plot: x to the right from the area's left edge,
// y as a height above the area's bottom. Far-off values (possible with a
// fixed scale) are held to a range GDI can take; the clip region cuts them.
class PointMapper {
public:
    PointMapper(const GraphLayout& layout, const AxisScale& xScale, const AxisScale& yScale);
    int X(float value) const { return Map(value, m_xFactor, m_xLow, m_fx, m_xOrigin); }
    int Height(float value) const { return Map(value, m_yFactor, m_yLow, m_fy, m_yOrigin); }

private:
    static int Map(float value, double factor, int low, float scale, int origin);

    double m_xFactor;
    double m_yFactor;
    int m_xLow;
    int m_yLow;
    float m_fx;
    float m_fy;
    int m_xOrigin;
    int m_yOrigin;
};
