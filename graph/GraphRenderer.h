#pragma once
// CGraphRenderer: draws one line graph into any device context (screen,
// printer, print preview, metafile): the bold title, the axes with their
// ticks and integer labels, the power-of-ten notes, the axis titles, the
// optional grid of short dashes, and the data as a line and point markers
// clipped to the plot. Everything is sized from the drawing area's height.
//
// The caller sets up the context: one logical unit per device pixel, y
// growing downward with 0 at the bottom of the area (the whole picture lies
// at y <= 0). One instance serves the whole program; it keeps the layout of
// the last picture so that a second curve (the trend line) can be drawn into
// the same frame.
#include <windows.h>

#include <memory>

#include "document/GraphParams.h"
#include "framework/Object.h"
#include "graph/AxisScale.h"
#include "graph/GraphLayout.h"

class CDC;
class CPen;
class ReducedCurve;

class CGraphRenderer : public CObject {
public:
    CGraphRenderer();
    ~CGraphRenderer() override;

    // Draws the picture of pParams, or with bReuseLayout only its curve into
    // the frame of the last picture. TRUE when nothing was drawn because
    // there are fewer than two points or an axis cannot be scaled.
    BOOL Draw(CDC* pDC, GraphParams* pParams, BOOL bReuseLayout);

    // Scales of the last picture, for the trend line's ends.
    const AxisScale& XScale() const { return m_xScale; }
    const AxisScale& YScale() const { return m_yScale; }
    // The last picture's area was too small for its plot: nothing was drawn.
    bool PlotTooSmall() const { return m_bPlotTooSmall; }
    // On raster devices a curve of at least nPoints points (1000 unless
    // told) is drawn from what shows of it; a smaller one costs less drawn
    // point by point. Tests compare the two ways with this.
    void SetReductionThreshold(int nPoints) { m_nReduceFrom = nPoints; }

    // Members in this order.
    GraphParams* m_pParams;
    int m_bLayoutDone;
    LOGFONTA m_logFont;
    int m_nTextHeight;
    int m_nTickLength;
    int m_nGap;
    AxisScale m_xScale;
    AxisScale m_yScale;
    int m_nPlotLeft;
    int m_nPlotWidth;
    int m_nPlotBottom;
    int m_nPlotHeight;
    int m_nPenBase;

private:
    void ComputeFontHeight(CDC* pDC);
    void ComputeLayout(CDC* pDC);
    void DrawFrame(CDC* pDC);
    void DrawAxesAndTicks(CDC* pDC);
    void DrawGrid(CDC* pDC, int noteWidth);
    void DrawTitle(CDC* pDC);
    void DrawXLabels(CDC* pDC);
    void DrawYLabels(CDC* pDC);
    void DrawYTitle(CDC* pDC, int widestLabel);
    void DrawCurve(CDC* pDC);
    // The curve as a raster device needs it, kept from an earlier paint when
    // nothing it depends on has changed.
    const ReducedCurve& Reduced(CDC* pDC, const RECT& clip, const PointMapper& map, int m);
    void DrawReduced(CDC* pDC, const ReducedCurve& curve, int m, CPen& solid, CPen& dotted);
    void DrawEveryPoint(CDC* pDC, const PointMapper& map, int m, CPen& solid, CPen& dotted);
    void DrawMarker(CDC* pDC, int x, int height, int m);
    GraphLayout Layout() const;
    int PlotTop() const { return m_nPlotBottom + m_nPlotHeight; }

    bool m_bPlotTooSmall = false;
    int m_nReduceFrom = 1000;
    // The curves of the last two paints, the latest first.
    std::unique_ptr<ReducedCurve> m_curves[2];
};

// The program's one renderer.
extern CGraphRenderer g_graphRenderer;
