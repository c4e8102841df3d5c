#pragma once
// CurvePoints: the points of one curve in logical units, as the renderer
// draws them, and for a raster device which of them the picture needs (see
// graph/CurveReduction.h). A metafile keeps every point: the program that
// receives it may draw it at any size.
#include <windows.h>

#include <vector>

#include "graph/CurveReduction.h"

struct GraphParams;
class PointMapper;

class CurvePoints {
public:
    CurvePoints(const GraphParams& params, const PointMapper& map);

    int Count() const { return static_cast<int>(m_x.size()); }
    int X(int i) const { return m_x[i]; }
    int Height(int i) const { return m_height[i]; }

    // Whether the context paints pixels (screen, printer, bitmap) rather than
    // recording calls.
    static bool IsRaster(HDC hDC);
    // Chooses what hDC needs of the curve. deviceClip: the clip rectangle in
    // hDC's device units; m: the marker half-size; penWidth: in logical units.
    void Reduce(HDC hDC, const RECT& deviceClip, int lineType, int pointType, int m, int penWidth);
    bool IsReduced() const { return !m_flags.empty(); }
    // kVisitPoint, kDrawLine and kDrawMarker of point i; all of them when
    // nothing was reduced.
    unsigned char Flags(int i) const { return m_flags.empty() ? 0xFF : m_flags[i]; }
    // Paints the pixels whose colour the reduction found to be final, after
    // the rest of the curve was drawn (see CoverMap).
    void PaintKnownPixels(HDC hDC, COLORREF curveColour) const;

private:
    // Whether hDC keeps colours as given, so that pixels can be painted
    // directly; fillColour: the colour of its brush.
    static bool PaintsExactColours(HDC hDC, COLORREF& fillColour);

    std::vector<int> m_x;
    std::vector<int> m_height;
    std::vector<unsigned char> m_flags;
    std::vector<PixelSpan> m_spans;  // in logical units
    COLORREF m_fillColour = 0;
};
