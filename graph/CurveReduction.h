#pragma once
// Which of a curve's line pieces and markers a raster device needs, with no
// dependence on Windows. A million points on a plot a few hundred pixels
// wide paint each pixel many times over; only what still shows in the
// finished picture has to be drawn. Everything here works on device pixels
// of the context drawn on.
#include <algorithm>
#include <cstddef>
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
const unsigned char kVisitPoint = 1;  // the point takes part in what is drawn
const unsigned char kDrawLine = 2;    // the line piece that ends at this point
const unsigned char kDrawMarker = 4;  // this point's marker

// Those flags for every point of a curve, in four bits a point: ten million
// points take 5 MB.
class PointFlags {
public:
    explicit PointFlags(std::size_t n = 0) : m_bytes((n + 1) / 2, 0), m_nSize(n) {}
    std::size_t size() const { return m_nSize; }
    unsigned char operator[](std::size_t i) const { return (m_bytes[i >> 1] >> Shift(i)) & 0x0F; }
    void Set(std::size_t i, unsigned char flags) { m_bytes[i >> 1] |= static_cast<unsigned char>(flags << Shift(i)); }
    bool operator==(const PointFlags& other) const { return m_nSize == other.m_nSize && m_bytes == other.m_bytes; }

private:
    static int Shift(std::size_t i) { return static_cast<int>(i & 1) * 4; }

    std::vector<unsigned char> m_bytes;
    std::size_t m_nSize;
};

// Marks the points a solid line needs: of every run of consecutive points on
// one device column, the first and last and the first lowest and first
// highest. Within a run the line only goes up and down that column, so the
// line through the marked points, in order, covers the same pixels. The
// last run keeps all its points: a line leaves out its very last pixel,
// which an earlier piece of that run may have painted.
class ColumnExtremes {
public:
    explicit ColumnExtremes(PointFlags& flags) : m_flags(flags) {}
    ~ColumnExtremes() { Flush(true); }
    ColumnExtremes(const ColumnExtremes&) = delete;
    ColumnExtremes& operator=(const ColumnExtremes&) = delete;

    // Points are added in the order they are drawn.
    void Add(int index, PixelPoint p);

private:
    void Flush(bool bWholeRun);

    PointFlags& m_flags;
    bool m_bOpen = false;
    int m_x = 0;
    int m_first = 0;
    int m_last = 0;
    int m_low = 0;
    int m_high = 0;
    int m_lowY = 0;
    int m_highY = 0;
};

// Colours of pixels whose final colour is known.
const unsigned char kCurveColour = 1;  // the pen's: lines and marker outlines
const unsigned char kFillColour = 2;   // the brush's: the inside of square markers

// Pixels of one column, [top, bottom), all of one colour.
struct PixelSpan {
    int x;
    int top;
    int bottom;
    unsigned char colour;
};

// What became of a primitive whose pixels are known exactly.
enum class Placement {
    Hidden,   // later primitives paint over all of it
    Painted,  // what shows of it is kept for painting at the end
    Draw      // it must be drawn in its turn
};

// The pixels that primitives drawn later paint over, while a curve's
// primitives are visited from the last drawn to the first. Pixels outside
// the area (the clip rectangle) never show and count as taken.
//
// With colours kept, a primitive that paints exactly known pixels in known
// colours (a thin square or a thin straight-up or straight-across line)
// need not be drawn at all: the pixels that still show of it keep their
// colour to the end, unless a later primitive of less certain shape may
// paint them (it touches them), so they can be painted at the end instead.
class CoverMap {
public:
    // Bits of the machine's own width: 64-bit words would cost two 32-bit
    // operations each on a 32-bit build.
    using Word = std::uintptr_t;
    static const int kWordBits = static_cast<int>(sizeof(Word) * 8);

    explicit CoverMap(const PixelBox& area, bool bKeepColours = false);

    // Every pixel of box is taken.
    bool AllTaken(const PixelBox& box);
    void Take(const PixelBox& box);
    // A primitive drawn later may paint the pixels of box.
    void Touch(const PixelBox& box);
    // A primitive that paints exactly box: its edge in the curve colour,
    // inside it the fill colour. With bPreferDrawing it is drawn when most of
    // it shows (one call rather than several runs at the end).
    Placement PlaceExact(const PixelBox& box, bool bPreferDrawing);
    // The pixels kept for the end, as runs down each column.
    std::vector<PixelSpan> Spans() const;
    // The leftmost column from which every column of the area is all taken
    // (area.right when the last one is not).
    int FullColumnsFrom();

private:
    // Calls f(word, mask) for the words of one column holding rows [top, bottom)
    // of the area (area-relative), with the mask of those rows in each word.
    template <class F>
    void ForEachWord(int column, int top, int bottom, F f) const;
    // box in area-relative units, cut to the area.
    PixelBox Clipped(const PixelBox& box) const
    {
        return { std::max(box.left, m_area.left) - m_area.left, std::max(box.top, m_area.top) - m_area.top,
                 std::min(box.right, m_area.right) - m_area.left, std::min(box.bottom, m_area.bottom) - m_area.top };
    }
    void GrowRun(int x, int top, int bottom);
    // Rows [top, bottom) of column x are taken: finds how far the taken rows
    // reach on either side and keeps that run if it is the better one.
    void LearnRun(int x, int top, int bottom);
    void KeepColours(const PixelBox& box, const PixelBox& clipped);

    PixelBox m_area;
    int m_nHeight;
    int m_nWordsPerColumn;
    std::vector<Word> m_taken;    // column by column, one bit a row
    // Per column one run of rows known to be all taken, [top, bottom): a
    // quick answer for the many primitives of a dense curve that are hidden.
    std::vector<int> m_runTop;
    std::vector<int> m_runBottom;
    int m_nFullFrom;  // area-relative, as FullColumnsFrom found it last
    std::vector<Word> m_touched;  // the same, with colours kept
    std::vector<unsigned char> m_colours;  // column by column, one byte a pixel
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
    // Thin pen, unscaled pixels, colours that stay as given: what shows of
    // squares and straight pieces may be painted at the end (see CoverMap).
    bool paintKnownPixels;
    // The points' pixel positions never go left from one point to the next,
    // so the points drawn before one lie in its column or left of it.
    bool pointsAscend = false;
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

// Decides, from the last primitive drawn to the first, which of a curve's
// line pieces and markers show (see ChooseVisiblePrimitives): a primitive
// whose reach later ones have taken is left out; one drawn takes what it
// surely paints. With style.paintKnownPixels, exact primitives are placed
// on the cover map instead (see CoverMap::PlaceExact).
class PrimitiveChooser {
public:
    PrimitiveChooser(const CurveStyle& style, const PixelBox& area, PointFlags& flags);
    // The marker of point i, drawn in box.
    void VisitMarker(int i, const PixelBox& box);
    // The piece from point from, at a, to point to, at b.
    void VisitLine(int from, int to, PixelPoint a, PixelPoint b);
    std::vector<PixelSpan> Spans() const { return m_cover.Spans(); }
    int FullColumnsFrom() { return m_cover.FullColumnsFrom(); }

private:
    const CurveStyle m_style;
    CoverMap m_cover;
    LaterMarkers m_later;
    PointFlags& m_flags;
};

// Chooses the primitives of a curve that show in the finished picture. The
// curve is drawn point by point: at each point the line piece from the
// previous point, then the previous point's marker; at the end the last
// point's marker. A point on the same pixel position as the one before is
// passed over (it adds nothing); the first point's piece is the empty one
// to itself. getPoint(i) gives the point's position, getBox(i) its marker's
// box; repeat(i) tells that point i is passed over. Sets kDrawLine and
// kDrawMarker in flags (n entries, zero on entry), and kVisitPoint on the
// points the drawing needs: those with something drawn, the start of each
// piece drawn, and the point in whose step a marker is drawn.
template <class GetPoint, class GetBox, class IsRepeat>
void ChooseVisiblePrimitives(int n, GetPoint getPoint, GetBox getBox, IsRepeat repeat, const CurveStyle& style,
                             const PixelBox& area, PointFlags& flags, std::vector<PixelSpan>& spans);

// With points that ascend, the step of the walk at which to go on from
// step i (a point not passed over): the first point from which every line
// piece and marker up to i reaches only columns from full on, all of whose
// pixels later primitives paint. Those are hidden, so their steps can be
// left out; i itself when there is no such point before it.
template <class GetPoint, class GetBox>
int FirstNotHidden(int i, GetPoint getPoint, GetBox getBox, const CurveStyle& style, int full)
{
    // The leftmost column the primitives of point k and after may reach.
    auto reachLeft = [&](int k) {
        int left = LineReach(getPoint(k), getPoint(k), style.penWidth).left;
        if (style.marker != MarkerShape::None)
            left = std::min(left, MarkerReach(getBox(k), style.marker, style.penWidth).left);
        return left;
    };
    if (reachLeft(i - 1) < full)
        return i;
    int low = 0;
    int high = i - 1;
    while (low < high) {
        int middle = low + (high - low) / 2;
        if (reachLeft(middle) < full)
            low = middle + 1;
        else
            high = middle;
    }
    // Never a point passed over: one has the reach of the point before it.
    return low;
}

// The pixels a thin line paints when it goes straight up, down or across:
// from its first pixel up to its last, which it leaves out.
PixelBox StraightThinLine(PixelPoint from, PixelPoint to);

// Leaves out nothing that shows: a line alone goes through the column
// extremes; everything else is chosen primitive by primitive. spans: the
// pixels to paint at the end (with style.paintKnownPixels).
template <class GetPoint, class GetBox, class IsRepeat>
void ChooseCurvePoints(int n, GetPoint getPoint, GetBox getBox, IsRepeat repeat, const CurveStyle& style,
                       bool dotted, const PixelBox& area, PointFlags& flags,
                       std::vector<PixelSpan>& spans)
{
    if (style.lines && !dotted && style.marker == MarkerShape::None) {
        ColumnExtremes extremes(flags);
        for (int i = 0; i < n; ++i)
            extremes.Add(i, getPoint(i));
        return;
    }
    ChooseVisiblePrimitives(n, getPoint, getBox, repeat, style, area, flags, spans);
}

template <class GetPoint, class GetBox, class IsRepeat>
void ChooseVisiblePrimitives(int n, GetPoint getPoint, GetBox getBox, IsRepeat repeat, const CurveStyle& style,
                             const PixelBox& area, PointFlags& flags, std::vector<PixelSpan>& spans)
{
    PrimitiveChooser chooser(style, area, flags);
    const bool markers = style.marker != MarkerShape::None;
    // A dense curve soon covers whole columns; once every column from some
    // point on is covered, nothing drawn before that point and that far
    // right shows. Looked for every so many steps.
    const int kSkipEvery = 32;
    int untilSkip = kSkipEvery;
    int i = n - 1;
    while (i > 0 && repeat(i))
        --i;
    // The last marker is drawn last of all.
    if (markers)
        chooser.VisitMarker(i, getBox(i));
    for (;;) {
        if (i == 0) {
            if (style.lines)
                chooser.VisitLine(0, 0, getPoint(0), getPoint(0));
            break;
        }
        if (style.pointsAscend && --untilSkip == 0) {
            untilSkip = kSkipEvery;
            i = FirstNotHidden(i, getPoint, getBox, style, chooser.FullColumnsFrom());
            if (i == 0)
                continue;
        }
        int previous = i - 1;
        while (previous > 0 && repeat(previous))
            --previous;
        if (markers)
            chooser.VisitMarker(previous, getBox(previous));
        // That marker is drawn in the step of this point.
        if (flags[previous] & kDrawMarker)
            flags.Set(i, kVisitPoint);
        if (style.lines)
            chooser.VisitLine(previous, i, getPoint(previous), getPoint(i));
        i = previous;
    }
    if (style.paintKnownPixels)
        spans = chooser.Spans();
}
