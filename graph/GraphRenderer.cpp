#include "graph/GraphRenderer.h"

#include <string>
#include <utility>

#include "framework/Dc.h"
#include "framework/Gdi.h"
#include "framework/MetaFileDC.h"
#include "framework/MetaRecordWriter.h"
#include "graph/ReducedCurve.h"

CGraphRenderer g_graphRenderer;

namespace {

SIZE TextSize(CDC* pDC, const std::string& text)
{
    return pDC->GetTextExtent(text.c_str());
}

// A font made from the renderer's LOGFONT, selected for the life of the object.
class CSelectedFont {
public:
    CSelectedFont(CDC* pDC, const LOGFONTA& logFont) : m_pDC(pDC)
    {
        m_font.CreateFontIndirect(&logFont);
        m_hOld = pDC->SelectObject(m_font);
    }
    ~CSelectedFont() { m_pDC->SelectObject(m_hOld); }
    CSelectedFont(const CSelectedFont&) = delete;
    CSelectedFont& operator=(const CSelectedFont&) = delete;

private:
    CDC* m_pDC;
    CFont m_font;
    HGDIOBJ m_hOld;
};

// Limits drawing to a rectangle in device units, inside whatever clipping
// the caller had set (the print preview clips to its page), and gives the
// caller's clipping back when it goes.
class CClipToRect {
public:
    CClipToRect(CDC* pDC, const RECT& rc) : m_pDC(pDC)
    {
        m_saved.CreateRectRgn(0, 0, 0, 0);
        m_bHadClip = pDC->GetClipRgn(m_saved) == 1;
        CRgn region;
        region.CreateRectRgn(rc.left, rc.top, rc.right, rc.bottom);
        pDC->ExtSelectClipRgn(region, RGN_AND);
    }
    ~CClipToRect() { m_pDC->SelectClipRgn(m_bHadClip ? static_cast<HRGN>(m_saved) : nullptr); }
    CClipToRect(const CClipToRect&) = delete;
    CClipToRect& operator=(const CClipToRect&) = delete;

private:
    CDC* m_pDC;
    CRgn m_saved;
    bool m_bHadClip = false;
};

// Where the point-by-point drawing goes: a device context, or records
// written straight into a metafile.
struct DeviceSink {
    CDC* pDC;
    CPen* pSolid;
    CPen* pDotted;

    void MoveTo(int x, int y) { pDC->MoveTo(x, y); }
    void LineTo(int x, int y) { pDC->LineTo(x, y); }
    void Rectangle(int x1, int y1, int x2, int y2) { pDC->Rectangle(x1, y1, x2, y2); }
    void Ellipse(int x1, int y1, int x2, int y2) { pDC->Ellipse(x1, y1, x2, y2); }
    void SelectDotted() { pDC->SelectObject(*pDotted); }
    void SelectSolid() { pDC->SelectObject(*pSolid); }
};

struct RecordSink {
    CMetaRecordWriter& writer;
    DWORD solid;
    DWORD dotted;

    void MoveTo(int x, int y) { writer.MoveTo(x, y); }
    void LineTo(int x, int y) { writer.LineTo(x, y); }
    void Rectangle(int x1, int y1, int x2, int y2) { writer.Rectangle(x1, y1, x2, y2); }
    void Ellipse(int x1, int y1, int x2, int y2) { writer.Ellipse(x1, y1, x2, y2); }
    void SelectDotted() { writer.SelectObject(dotted); }
    void SelectSolid() { writer.SelectObject(solid); }
};

template <class Sink>
void TraceMarker(Sink& sink, int pointType, int x, int height, int m)
{
    switch (pointType) {
    case 1:
        sink.Rectangle(x - m, -(height + m), x + m, m - height);
        break;
    case 2:
        sink.Ellipse(x - m, -(height + m), x + m, m - height);
        break;
    case 3:
        sink.MoveTo(x - m, -(height + m));
        sink.LineTo(x + m + 1, m - height + 1);
        sink.MoveTo(x + m, -(height + m));
        sink.LineTo(x - m - 1, m - height + 1);
        break;
    default:
        break;
    }
}

// Every point's line piece and marker, in the order that decides which
// paints over which.
template <class Sink>
void TraceEveryPoint(Sink& sink, const GraphParams& g, const PointMapper& map, int m)
{
    const bool dashed = g.lineType == 2;
    int xp = map.X(g.xValues[0]);
    int yp = map.Height(g.yValues[0]);
    bool penAtPrevious = false;
    for (int i = 0; i < g.pointCount; ++i) {
        int x = map.X(g.xValues[i]);
        int y = map.Height(g.yValues[i]);
        // A point on the same unit as the one before adds nothing to the
        // picture: its line piece is empty and its marker lands on the
        // previous one's.
        if (i > 0 && x == xp && y == yp)
            continue;
        if (g.lineType > 0) {
            if (dashed)
                sink.SelectDotted();
            if (!penAtPrevious)
                sink.MoveTo(xp, -yp);
            sink.LineTo(x, -y);
            penAtPrevious = true;
            if (dashed)
                sink.SelectSolid();
        }
        // Each marker comes after both line pieces that touch it.
        TraceMarker(sink, g.pointType, xp, yp, m);
        if (g.pointType == 3)
            penAtPrevious = false;
        xp = x;
        yp = y;
    }
    TraceMarker(sink, g.pointType, xp, yp, m);
}

// A large curve in a metafile, written as the records the device context
// would write for it, all at once when the metafile is closed. The curve's
// pen is selected where the run starts; a dashed curve brings its own two.
class CCurveRecords : public CMetaRecordSource {
public:
    CCurveRecords(const GraphParams& graph, const PointMapper& map, int m, int penWidth)
        : m_graph(graph), m_map(map), m_m(m), m_penWidth(penWidth)
    {
    }
    DWORD Handles() const override { return m_graph.lineType == 2 ? 2 : 0; }
    void Write(CMetaRecordWriter& writer, DWORD nFirstHandle) const override
    {
        RecordSink sink = { writer, nFirstHandle, nFirstHandle + 1 };
        if (Handles()) {
            writer.CreatePen(sink.solid, PS_SOLID, m_penWidth, m_graph.curveColor);
            writer.CreatePen(sink.dotted, PS_DOT, m_penWidth, m_graph.curveColor);
        }
        TraceEveryPoint(sink, m_graph, m_map, m_m);
    }

private:
    GraphParams m_graph;
    PointMapper m_map;
    int m_m;
    int m_penWidth;
};

}  // namespace

CGraphRenderer::~CGraphRenderer() = default;

CGraphRenderer::CGraphRenderer()
    : m_pParams(nullptr), m_bLayoutDone(FALSE), m_logFont(), m_nTextHeight(0), m_nTickLength(0), m_nGap(0),
      m_xScale(), m_yScale(), m_nPlotLeft(0), m_nPlotWidth(0), m_nPlotBottom(0), m_nPlotHeight(0), m_nPenBase(0)
{
    m_logFont.lfHeight = 16;
    m_logFont.lfWeight = 600;
    m_logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(m_logFont.lfFaceName, "Arial");
}

BOOL CGraphRenderer::Draw(CDC* pDC, GraphParams* pParams, BOOL bReuseLayout)
{
    m_pParams = pParams;
    m_bLayoutDone = bReuseLayout;
    if (pParams->pointCount < 2)
        return TRUE;
    ComputeFontHeight(pDC);
    CSelectedFont font(pDC, m_logFont);
    if (!m_bLayoutDone) {
        if (ScaleAxis(pParams->yMin, pParams->yMax, pParams->yIncrements, m_yScale) ||
            ScaleAxis(pParams->xMin, pParams->xMax, pParams->xIncrements, m_xScale))
            return TRUE;
        ComputeLayout(pDC);
        if (!m_bPlotTooSmall) {
            DrawFrame(pDC);
            DrawXLabels(pDC);
            DrawYLabels(pDC);
        }
        m_bLayoutDone = TRUE;
    }
    // A window too small for one division shows nothing rather than a
    // picture squeezed to nonsense.
    if (!m_bPlotTooSmall)
        DrawCurve(pDC);
    return FALSE;
}

void CGraphRenderer::ComputeFontHeight(CDC* pDC)
{
    m_nTextHeight = ComputeTextHeight(m_pParams->areaHeight, pDC->GetDeviceCaps(VERTRES), pDC->IsPrinting());
    m_logFont.lfHeight = m_nTextHeight;
}

void CGraphRenderer::ComputeLayout(CDC* pDC)
{
    GraphLayout layout;
    m_bPlotTooSmall =
        !ComputeGraphLayout(*m_pParams, m_xScale, m_yScale, m_nTextHeight, pDC->IsPrinting() != FALSE, layout);
    m_nTickLength = layout.tickLength;
    m_nGap = layout.gap;
    m_nPlotLeft = layout.plotLeft;
    m_nPlotWidth = layout.plotWidth;
    m_nPlotBottom = layout.plotBottom;
    m_nPlotHeight = layout.plotHeight;
    m_nPenBase = layout.penBase;
}

GraphLayout CGraphRenderer::Layout() const
{
    return { m_nTextHeight, m_nTickLength, m_nGap, m_nPlotLeft, m_nPlotWidth, m_nPlotBottom, m_nPlotHeight, m_nPenBase };
}

void CGraphRenderer::DrawFrame(CDC* pDC)
{
    int noteWidth = TextSize(pDC, kExponentNoteProbe).cx;
    DrawAxesAndTicks(pDC);
    if (m_pParams->showGrid == 1)
        DrawGrid(pDC, noteWidth);
    DrawTitle(pDC);
}

void CGraphRenderer::DrawAxesAndTicks(CDC* pDC)
{
    const int L = m_nPlotLeft;
    const int B = m_nPlotBottom;
    const int T = PlotTop();
    const int tick = m_nTickLength;
    const int nx = m_pParams->xIncrements;
    const int ny = m_pParams->yIncrements;
    const int MX = m_nPlotWidth / nx;
    const int MY = m_nPlotHeight / ny;
    CPen axisPen;
    axisPen.CreatePen(PS_SOLID, m_nPenBase + 2, RGB(0, 0, 0));
    HGDIOBJ hOldPen = pDC->SelectObject(axisPen);
    pDC->MoveTo(L, -B);
    pDC->LineTo(L + m_nPlotWidth, -B);
    pDC->MoveTo(L, -B);
    pDC->LineTo(L, -T);

    CPen tickPen;
    tickPen.CreatePen(PS_SOLID, m_nPenBase + 1, RGB(0, 0, 0));
    pDC->SelectObject(tickPen);
    for (int i = 0; i <= nx; ++i) {
        pDC->MoveTo(L + i * MX, tick - B);
        pDC->LineTo(L + i * MX, 2 * tick - B);
    }
    const int minorX = MX / m_xScale.minorCount;
    for (int j = 0; j <= nx * m_xScale.minorCount; ++j) {
        pDC->MoveTo(L + j * minorX, -B);
        pDC->LineTo(L + j * minorX, tick - B);
    }
    for (int i = 0; i <= ny; ++i) {
        pDC->MoveTo(L - tick, -(B + i * MY));
        pDC->LineTo(L - 2 * tick, -(B + i * MY));
    }
    const int minorY = MY / m_yScale.minorCount;
    for (int j = 0; j <= ny * m_yScale.minorCount; ++j) {
        pDC->MoveTo(L, -(B + j * minorY));
        pDC->LineTo(L - tick, -(B + j * minorY));
    }
    // The grid is drawn with the context's own one-unit pen.
    pDC->SelectObject(hOldPen);
}

void CGraphRenderer::DrawGrid(CDC* pDC, int noteWidth)
{
    const int L = m_nPlotLeft;
    const int B = m_nPlotBottom;
    const int gap = m_nGap;
    const int nx = m_pParams->xIncrements;
    const int ny = m_pParams->yIncrements;
    const int MX = m_nPlotWidth / nx;
    const int MY = m_nPlotHeight / ny;
    const int minorX = MX / m_xScale.minorCount;
    const int minorY = MY / m_yScale.minorCount;
    for (int i = 1; i <= ny; ++i) {
        int y = -(B + i * MY);
        // The top row leaves the corner under the Y exponent note free.
        int first = i == ny && m_yScale.exponent != 0 ? noteWidth / (m_nPlotWidth / (nx * m_xScale.minorCount)) + 1 : 0;
        for (int j = first; j <= nx * m_xScale.minorCount; ++j) {
            pDC->MoveTo(L + j * minorX - gap, y);
            pDC->LineTo(L + j * minorX + gap, y);
        }
    }
    for (int i = 1; i <= nx; ++i) {
        int x = L + i * MX;
        for (int j = 0; j <= ny * m_yScale.minorCount; ++j) {
            int h = B + j * minorY;
            pDC->MoveTo(x, -(h - gap));
            pDC->LineTo(x, -(h + gap));
        }
    }
}

void CGraphRenderer::DrawTitle(CDC* pDC)
{
    const int t = m_nTextHeight;
    m_logFont.lfWeight = 700;
    m_logFont.lfHeight = t + t / 4;
    {
        CSelectedFont font(pDC, m_logFont);
        std::string title = m_pParams->title ? m_pParams->title : "";
        SIZE size = TextSize(pDC, title);
        pDC->TextOut(m_nPlotLeft + (m_nPlotWidth - size.cx) / 2, -(PlotTop() + 2 * m_nGap + size.cy), title.c_str());
    }
    m_logFont.lfWeight = 600;
    m_logFont.lfHeight = t;
}

void CGraphRenderer::DrawXLabels(CDC* pDC)
{
    const int L = m_nPlotLeft;
    const int B = m_nPlotBottom;
    const int nx = m_pParams->xIncrements;
    const int MX = m_nPlotWidth / nx;
    const int D = (m_xScale.maxLabel - m_xScale.minLabel) / nx;
    const int y0 = 2 * m_nTickLength - B;
    int h = 0;
    for (int i = 0; i <= nx; ++i) {
        std::string text = TickLabelText(m_xScale.minLabel + i * D);
        SIZE size = TextSize(pDC, text);
        pDC->TextOut(L + i * MX - size.cx / 2, y0, text.c_str());
        h = size.cy;
    }
    const int y1 = 2 * m_nTickLength + m_nGap + h - B;
    if (m_xScale.exponent != 0) {
        std::string note = ExponentNoteText(m_xScale.exponent);
        pDC->TextOut(L - TextSize(pDC, note).cx / 2, y1, note.c_str());
    }
    std::string label = m_pParams->xLabel ? m_pParams->xLabel : "";
    pDC->TextOut(L + (m_nPlotWidth - TextSize(pDC, label).cx) / 2, y1, label.c_str());
}

void CGraphRenderer::DrawYLabels(CDC* pDC)
{
    const int L = m_nPlotLeft;
    const int B = m_nPlotBottom;
    const int t = m_nTextHeight;
    const int ny = m_pParams->yIncrements;
    const int MY = m_nPlotHeight / ny;
    const int D = (m_yScale.maxLabel - m_yScale.minLabel) / ny;
    const int R = L - (2 * m_nTickLength + 2) - m_nGap;
    int widest = 0;
    std::string text;
    SIZE size = {};
    for (int i = 0; i <= ny; ++i) {
        text = TickLabelText(m_yScale.minLabel + i * D);
        size = TextSize(pDC, text);
        pDC->TextOut(R - size.cx, -(t / 2 + B + i * MY), text.c_str());
        if (size.cx > widest)
            widest = size.cx;
    }
    if (m_yScale.exponent != 0) {
        int c = size.cx / static_cast<int>(text.size());
        std::string note = ExponentNoteText(m_yScale.exponent);
        pDC->TextOut(L + c, -(t / 2 + PlotTop()), note.c_str());
    }
    DrawYTitle(pDC, widest);
}

void CGraphRenderer::DrawYTitle(CDC* pDC, int widestLabel)
{
    m_logFont.lfEscapement = 900;
    {
        CSelectedFont font(pDC, m_logFont);
        std::string label = m_pParams->yLabel ? m_pParams->yLabel : "";
        SIZE size = TextSize(pDC, label);
        // Turned a quarter to the left, the text's cell lies right of its
        // reference point: it ends one gap left of the widest label, and
        // stays inside the area when the labels leave no room.
        const int labelsLeft = m_nPlotLeft - (2 * m_nTickLength + 2) - m_nGap - widestLabel;
        int x = labelsLeft - m_nGap - size.cy;
        if (x < 0)
            x = 0;
        pDC->TextOut(x, -(m_nPlotBottom + (m_nPlotHeight - size.cx) / 2), label.c_str());
    }
    m_logFont.lfEscapement = 0;
}

void CGraphRenderer::DrawCurve(CDC* pDC)
{
    const GraphParams& g = *m_pParams;
    const int m = MarkerHalfSize(g.areaHeight, g.pointSize);
    CPen solid;
    CPen dotted;
    solid.CreatePen(PS_SOLID, m_nPenBase + 1, g.curveColor);
    dotted.CreatePen(PS_DOT, m_nPenBase + 1, g.curveColor);
    HGDIOBJ hOldPen = pDC->SelectObject(solid);

    RECT clip = { m_nPlotLeft - m, -(PlotTop() + m), m_nPlotLeft + m_nPlotWidth + m, -m_nPlotBottom + m };
    pDC->LogicalToDevice(&clip);
    CClipToRect clipToPlot(pDC, clip);

    PointMapper map(Layout(), m_xScale, m_yScale);
    // A raster device needs only what shows of a curve of many points.
    // A metafile keeps every point; one of many is written faster than GDI
    // records it.
    CMetaFileDC* pMeta = dynamic_cast<CMetaFileDC*>(pDC);
    if (g.pointCount >= m_nReduceFrom && ReducedCurve::IsRaster(pDC->m_hDC))
        DrawReduced(pDC, Reduced(pDC, clip, map, m), m, solid, dotted);
    else if (g.pointCount >= m_nReduceFrom && pMeta)
        pMeta->InsertRecords(std::make_unique<CCurveRecords>(g, map, m, m_nPenBase + 1));
    else
        DrawEveryPoint(pDC, map, m, solid, dotted);
    pDC->SelectObject(hOldPen);
}

const ReducedCurve& CGraphRenderer::Reduced(CDC* pDC, const RECT& clip, const PointMapper& map, int m)
{
    ReducedCurve::Key key =
        ReducedCurve::Key::Of(pDC->m_hDC, clip, *m_pParams, Layout(), m_xScale, m_yScale, m, m_nPenBase + 1);
    // The last two are kept: the next paint mostly draws the same, and the
    // window's curve is still there when Print Preview's page closes.
    if (m_curves[1] && m_curves[1]->GetKey() == key)
        std::swap(m_curves[0], m_curves[1]);
    if (!m_curves[0] || !(m_curves[0]->GetKey() == key)) {
        m_curves[1] = std::move(m_curves[0]);
        m_curves[0].reset(new ReducedCurve(pDC->m_hDC, map, key));
    }
    return *m_curves[0];
}

void CGraphRenderer::DrawReduced(CDC* pDC, const ReducedCurve& curve, int m, CPen& solid, CPen& dotted)
{
    const bool dashed = m_pParams->lineType == 2;
    bool penKnown = false;
    POINT pen = {};
    for (const ReducedCurve::Step& step : curve.Steps()) {
        if (!step.line) {
            DrawMarker(pDC, step.x1, step.h1, m);
            // A cross's strokes move the pen.
            penKnown = penKnown && m_pParams->pointType != 3;
            continue;
        }
        if (dashed)
            pDC->SelectObject(dotted);
        if (!penKnown || pen.x != step.x1 || pen.y != step.h1)
            pDC->MoveTo(step.x1, -step.h1);
        pDC->LineTo(step.x2, -step.h2);
        pen = { step.x2, step.h2 };
        penKnown = true;
        if (dashed)
            pDC->SelectObject(solid);
    }
    curve.PaintKnownPixels(pDC->m_hDC);
}

void CGraphRenderer::DrawEveryPoint(CDC* pDC, const PointMapper& map, int m, CPen& solid, CPen& dotted)
{
    DeviceSink sink = { pDC, &solid, &dotted };
    TraceEveryPoint(sink, *m_pParams, map, m);
}

void CGraphRenderer::DrawMarker(CDC* pDC, int x, int height, int m)
{
    DeviceSink sink = { pDC, nullptr, nullptr };
    TraceMarker(sink, m_pParams->pointType, x, height, m);
}
