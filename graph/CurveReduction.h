#pragma once
// Which of a curve's line pieces and markers a raster device needs, with no
// dependence on Windows. A million points on a plot a few hundred pixels
// wide paint each pixel many times over; only what still shows in the
// finished picture has to be drawn. Everything here works on device pixels
// of the context drawn on.
#include <cstdint>
#include <vector>

// A rectangle of device pixels; right and bottom are excluded.
struct PixelBox {
    int left;
    int top;
    int right;
    int bottom;

    bool IsEmpty() const { return right <= left || bottom <= top; }
};

struct PixelPoint {
    int x;
    int y;
};

// What each point of a curve gets drawn with.
const unsigned char kVisitPoint = 1;  // the point takes part: the line goes through it
const unsigned char kDrawLine = 2;    // the line piece that ends at this point
const unsigned char kDrawMarker = 4;  // this point's marker

// Marks the points a solid line needs: of every run of consecutive points on
// one device column, the first and last and the first lowest and first
// highest. Within a run the line only goes up and down that column, so the
// line through the marked points, in order, covers the same pixels. The
// last run keeps all its points: a line leaves out its very last pixel,
// which an earlier piece of that run may have painted.
class ColumnExtremes {
public:
    explicit ColumnExtremes(std::vector<unsigned char>& flags) : m_flags(flags) {}
    ~ColumnExtremes() { Flush(true); }
    ColumnExtremes(const ColumnExtremes&) = delete;
    ColumnExtremes& operator=(const ColumnExtremes&) = delete;

    // Points are added in the order they are drawn.
    void Add(int index, PixelPoint p);

private:
    void Flush(bool bWholeRun);

    std::vector<unsigned char>& m_flags;
    bool m_bOpen = false;
    int m_x = 0;
    int m_first = 0;
    int m_last = 0;
    int m_low = 0;
    int m_high = 0;
    int m_lowY = 0;
    int m_highY = 0;
};

// The pixels that primitives drawn later paint over, while a curve's
// primitives are visited from the last drawn to the first. Pixels outside
// the area (the clip rectangle) never show and count as taken.
class CoverMap {
public:
    explicit CoverMap(const PixelBox& area);

    // Every pixel of box is taken.
    bool AllTaken(const PixelBox& box) const;
    void Take(const PixelBox& box);

private:
    // Bits of the rows [top, bottom) of one column of the area.
    bool ColumnTaken(int column, int top, int bottom) const;
    void TakeColumn(int column, int top, int bottom);

    PixelBox m_area;
    int m_nWordsPerColumn;
    std::vector<std::uint64_t> m_bits;  // column by column, one bit a row
};

enum class MarkerShape { None, Square, Circle, Cross };

// How the curve is drawn, in device pixels.
struct CurveStyle {
    bool lines;         // a line joins the points
    MarkerShape marker;
    int penWidth;       // at least 1
    // Markers with the same box are the same picture (not so for crosses on
    // a scaled context, whose strokes end a unit beyond the box).
    bool sameBoxSameMarker;
};

// What a primitive may touch (its reach) and what it surely paints. A
// primitive whose reach is all taken by later ones can be left out; once
// drawn, what it surely paints is taken.
PixelBox LineReach(PixelPoint from, PixelPoint to, int penWidth);
void TakeLine(CoverMap& cover, PixelPoint from, PixelPoint to, int penWidth);
// box: the marker's rectangle as passed to the drawing call.
PixelBox MarkerReach(const PixelBox& box, MarkerShape shape, int penWidth);
PixelBox MarkerPaint(const PixelBox& box, MarkerShape shape);

// Remembers the marker boxes drawn later on the current run of boxes with
// the same left edge (which come together, since the points come in
// ascending x), so an identical marker drawn earlier is known to be covered.
class LaterMarkers {
public:
    // Boxes whose top lies outside [lowTop, highTop) are not remembered.
    LaterMarkers(int lowTop, int highTop);
    // True when an identical box was added before; otherwise adds it.
    bool SeenOrAdd(const PixelBox& box);

private:
    struct Entry {
        int stamp;
        int right;
        int bottom;
    };
    int m_lowTop;
    int m_left = 0;
    int m_stamp = 0;
    std::vector<Entry> m_entries;
};

// Chooses the primitives of a curve that show in the finished picture. The
// curve is drawn point by point: at each point the line piece from the
// previous point, then the previous point's marker; at the end the last
// point's marker. A point on the same pixel position as the one before is
// passed over (it adds nothing); the first point's piece is the empty one
// to itself. getPoint(i) gives the point's position, getBox(i) its marker's
// box; repeat(i) tells that point i is passed over. Sets kVisitPoint,
// kDrawLine and kDrawMarker in flags (n entries, zero on entry).
template <class GetPoint, class GetBox, class IsRepeat>
void ChooseVisiblePrimitives(int n, GetPoint getPoint, GetBox getBox, IsRepeat repeat, const CurveStyle& style,
                             const PixelBox& area, std::vector<unsigned char>& flags);

// Leaves out nothing that shows: a line alone goes through the column
// extremes; everything else is chosen primitive by primitive.
template <class GetPoint, class GetBox, class IsRepeat>
void ChooseCurvePoints(int n, GetPoint getPoint, GetBox getBox, IsRepeat repeat, const CurveStyle& style,
                       bool dotted, const PixelBox& area, std::vector<unsigned char>& flags)
{
    if (style.lines && !dotted && style.marker == MarkerShape::None) {
        ColumnExtremes extremes(flags);
        for (int i = 0; i < n; ++i)
            extremes.Add(i, getPoint(i));
        return;
    }
    ChooseVisiblePrimitives(n, getPoint, getBox, repeat, style, area, flags);
}

template <class GetPoint, class GetBox, class IsRepeat>
void ChooseVisiblePrimitives(int n, GetPoint getPoint, GetBox getBox, IsRepeat repeat, const CurveStyle& style,
                             const PixelBox& area, std::vector<unsigned char>& flags)
{
    CoverMap cover(area);
    const int reach = 64;
    LaterMarkers later(area.top - reach, area.bottom + reach);
    auto visitMarker = [&](int i) {
        if (style.marker == MarkerShape::None)
            return;
        PixelBox box = getBox(i);
        if ((style.sameBoxSameMarker && later.SeenOrAdd(box)) || cover.AllTaken(MarkerReach(box, style.marker, style.penWidth)))
            return;
        flags[i] |= kDrawMarker;
        cover.Take(MarkerPaint(box, style.marker));
    };
    auto visitLine = [&](int from, int to) {
        if (!style.lines)
            return;
        PixelPoint a = getPoint(from);
        PixelPoint b = getPoint(to);
        if (cover.AllTaken(LineReach(a, b, style.penWidth)))
            return;
        flags[to] |= kDrawLine;
        TakeLine(cover, a, b, style.penWidth);
    };
    int i = n - 1;
    while (i > 0 && repeat(i))
        --i;
    // The last marker is drawn last of all.
    visitMarker(i);
    for (;;) {
        flags[i] |= kVisitPoint;
        if (i == 0) {
            visitLine(0, 0);
            break;
        }
        int previous = i - 1;
        while (previous > 0 && repeat(previous))
            --previous;
        visitMarker(previous);
        visitLine(previous, i);
        i = previous;
    }
}
