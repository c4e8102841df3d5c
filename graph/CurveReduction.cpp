#include "graph/CurveReduction.h"

#include <algorithm>

namespace {

PixelBox Grown(const PixelBox& box, int by)
{
    return { box.left - by, box.top - by, box.right + by, box.bottom + by };
}

// How far a wide pen reaches beyond the path it follows, with a pixel to
// spare for rounding.
int PenReach(int penWidth)
{
    return penWidth <= 1 ? 0 : penWidth / 2 + 1;
}

using Word = CoverMap::Word;
const int kBits = CoverMap::kWordBits;
const int kShift = kBits == 64 ? 6 : 5;

Word RowMask(int from, int to)
{
    // Bits [from, to) of one word, 0 <= from < to <= kBits.
    Word high = to == kBits ? ~Word(0) : (Word(1) << to) - 1;
    return high & ~((Word(1) << from) - 1);
}

int LowestBit(Word w)
{
    return sizeof(Word) == 8 ? __builtin_ctzll(w) : __builtin_ctz(static_cast<unsigned>(w));
}

int HighestBit(Word w)
{
    return sizeof(Word) == 8 ? 63 - __builtin_clzll(w) : 31 - __builtin_clz(static_cast<unsigned>(w));
}

int BitCount(Word w)
{
    return sizeof(Word) == 8 ? __builtin_popcountll(w) : __builtin_popcount(static_cast<unsigned>(w));
}

}  // namespace

void ColumnExtremes::Add(int index, PixelPoint p)
{
    if (m_bOpen && p.x == m_x) {
        m_last = index;
        if (p.y < m_lowY) {
            m_lowY = p.y;
            m_low = index;
        }
        if (p.y > m_highY) {
            m_highY = p.y;
            m_high = index;
        }
        return;
    }
    Flush(false);
    m_bOpen = true;
    m_x = p.x;
    m_first = m_last = m_low = m_high = index;
    m_lowY = m_highY = p.y;
}

void ColumnExtremes::Flush(bool bWholeRun)
{
    if (!m_bOpen)
        return;
    for (int index : { m_first, m_last, m_low, m_high })
        m_flags.Set(index, kVisitPoint | kDrawLine);
    for (int index = m_first; bWholeRun && index <= m_last; ++index)
        m_flags.Set(index, kVisitPoint | kDrawLine);
    m_bOpen = false;
}

CoverMap::CoverMap(const PixelBox& area, bool bKeepColours)
    : m_area(area),
      m_nHeight(area.IsEmpty() ? 0 : area.bottom - area.top),
      m_nWordsPerColumn((m_nHeight + kBits - 1) / kBits)
{
    std::size_t columns = area.IsEmpty() ? 0 : static_cast<std::size_t>(area.right - area.left);
    m_taken.assign(columns * m_nWordsPerColumn, 0);
    m_runTop.assign(columns, 0);
    m_runBottom.assign(columns, 0);
    m_nFullFrom = static_cast<int>(columns);
    if (bKeepColours) {
        m_touched.assign(columns * m_nWordsPerColumn, 0);
        m_colours.assign(columns * m_nHeight, 0);
    }
}

namespace {

// The words of a column that hold rows [top, bottom) (area-relative, top <
// bottom), with the masks of those rows in the first and last of them.
struct RowWords {
    int first;
    int last;
    Word firstMask;
    Word lastMask;

    RowWords(int top, int bottom)
        : first(top >> kShift),
          last((bottom - 1) >> kShift),
          firstMask(RowMask(top & (kBits - 1), first == last ? ((bottom - 1) & (kBits - 1)) + 1 : kBits)),
          lastMask(first == last ? firstMask : RowMask(0, ((bottom - 1) & (kBits - 1)) + 1))
    {
    }
    Word Mask(int word) const { return word == first ? firstMask : word == last ? lastMask : ~Word(0); }
};

}  // namespace

template <class F>
void CoverMap::ForEachWord(int column, int top, int bottom, F f) const
{
    RowWords words(top, bottom);
    std::size_t base = static_cast<std::size_t>(column) * m_nWordsPerColumn;
    for (int w = words.first; w <= words.last; ++w)
        f(base + w, words.Mask(w));
}

bool CoverMap::AllTaken(const PixelBox& box)
{
    PixelBox c = Clipped(box);
    if (c.IsEmpty())
        return true;
    int x = c.left;
    while (x < c.right && m_runTop[x] <= c.top && c.bottom <= m_runBottom[x])
        ++x;
    if (x == c.right)
        return true;
    RowWords words(c.top, c.bottom);
    for (int column = x; column < c.right; ++column) {
        const Word* bits = &m_taken[static_cast<std::size_t>(column) * m_nWordsPerColumn];
        for (int w = words.first; w <= words.last; ++w) {
            Word mask = words.Mask(w);
            if ((bits[w] & mask) != mask)
                return false;
        }
    }
    // All taken, but not known from the runs: learn the runs around.
    for (; x < c.right; ++x)
        LearnRun(x, c.top, c.bottom);
    return true;
}

int CoverMap::FullColumnsFrom()
{
    const RowWords words(0, m_nHeight);
    for (; m_nFullFrom > 0; --m_nFullFrom) {
        const Word* bits = &m_taken[static_cast<std::size_t>(m_nFullFrom - 1) * m_nWordsPerColumn];
        for (int w = words.first; w <= words.last; ++w) {
            if ((bits[w] & words.Mask(w)) != words.Mask(w))
                return m_area.left + m_nFullFrom;
        }
    }
    return m_area.left;
}

void CoverMap::LearnRun(int x, int top, int bottom)
{
    const Word* bits = &m_taken[static_cast<std::size_t>(x) * m_nWordsPerColumn];
    while (bottom < m_nHeight) {
        Word open = ~bits[bottom >> kShift] >> (bottom & (kBits - 1));
        if (open) {
            bottom += LowestBit(open);
            break;
        }
        bottom = ((bottom >> kShift) + 1) << kShift;
    }
    bottom = std::min(bottom, m_nHeight);
    while (top > 0) {
        int w = (top - 1) >> kShift;
        Word open = ~bits[w] & RowMask(0, ((top - 1) & (kBits - 1)) + 1);
        if (open) {
            top = (w << kShift) + HighestBit(open) + 1;
            break;
        }
        top = w << kShift;
    }
    GrowRun(x, top, bottom);
}

void CoverMap::Take(const PixelBox& box)
{
    PixelBox c = Clipped(box);
    for (int x = c.left; x < c.right && c.top < c.bottom; ++x) {
        ForEachWord(x, c.top, c.bottom, [&](std::size_t w, Word mask) { m_taken[w] |= mask; });
        GrowRun(x, c.top, c.bottom);
    }
}

void CoverMap::GrowRun(int x, int top, int bottom)
{
    int& runTop = m_runTop[x];
    int& runBottom = m_runBottom[x];
    if (top <= runBottom && runTop <= bottom && runTop < runBottom) {
        runTop = std::min(runTop, top);
        runBottom = std::max(runBottom, bottom);
    } else if (bottom - top > runBottom - runTop) {
        runTop = top;
        runBottom = bottom;
    }
}

void CoverMap::Touch(const PixelBox& box)
{
    PixelBox c = Clipped(box);
    for (int x = c.left; x < c.right && c.top < c.bottom && !m_touched.empty(); ++x)
        ForEachWord(x, c.top, c.bottom, [&](std::size_t w, Word mask) { m_touched[w] |= mask; });
}

Placement CoverMap::PlaceExact(const PixelBox& box, bool bPreferDrawing)
{
    if (AllTaken(box))
        return Placement::Hidden;
    PixelBox c = Clipped(box);
    int showing = 0;
    bool touched = false;
    for (int x = c.left; x < c.right; ++x) {
        ForEachWord(x, c.top, c.bottom, [&](std::size_t w, Word mask) {
            Word open = ~m_taken[w] & mask;
            showing += bPreferDrawing ? BitCount(open) : 0;
            touched = touched || (open & m_touched[w]) != 0;
        });
    }
    const int size = (box.right - box.left) * (box.bottom - box.top);
    if (!touched && !(bPreferDrawing && 2 * showing > size)) {
        KeepColours(box, c);
        return Placement::Painted;
    }
    Take(box);
    return Placement::Draw;
}

void CoverMap::KeepColours(const PixelBox& box, const PixelBox& c)
{
    for (int x = c.left; x < c.right; ++x) {
        const bool edgeColumn = x + m_area.left == box.left || x + m_area.left == box.right - 1;
        ForEachWord(x, c.top, c.bottom, [&](std::size_t w, Word mask) {
            Word open = ~m_taken[w] & mask;
            const int firstRow = static_cast<int>(w - static_cast<std::size_t>(x) * m_nWordsPerColumn) << kShift;
            for (; open; open &= open - 1) {
                int y = firstRow + LowestBit(open);
                bool edge = edgeColumn || y + m_area.top == box.top || y + m_area.top == box.bottom - 1;
                m_colours[static_cast<std::size_t>(x) * m_nHeight + y] = edge ? kCurveColour : kFillColour;
            }
            m_taken[w] |= mask;
        });
        GrowRun(x, c.top, c.bottom);
    }
}

std::vector<PixelSpan> CoverMap::Spans() const
{
    std::vector<PixelSpan> spans;
    for (int x = 0; !m_colours.empty() && x < m_area.right - m_area.left; ++x) {
        const unsigned char* column = &m_colours[static_cast<std::size_t>(x) * m_nHeight];
        for (int y = 0; y < m_nHeight;) {
            int end = y + 1;
            while (end < m_nHeight && column[end] == column[y])
                ++end;
            if (column[y])
                spans.push_back({ x + m_area.left, y + m_area.top, end + m_area.top, column[y] });
            y = end;
        }
    }
    return spans;
}

PixelBox LineReach(PixelPoint from, PixelPoint to, int penWidth)
{
    PixelBox box = { std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 1,
                     std::max(from.y, to.y) + 1 };
    return Grown(box, PenReach(penWidth));
}

PixelBox StraightThinLine(PixelPoint from, PixelPoint to)
{
    if (from.x == to.x)
        return from.y <= to.y ? PixelBox{ from.x, from.y, from.x + 1, to.y }
                              : PixelBox{ from.x, to.y + 1, from.x + 1, from.y + 1 };
    return from.x <= to.x ? PixelBox{ from.x, from.y, to.x, from.y + 1 }
                          : PixelBox{ to.x + 1, from.y, from.x + 1, from.y + 1 };
}

void TakeLine(CoverMap& cover, PixelPoint from, PixelPoint to, int penWidth)
{
    // A thin line paints its first pixel and, straight up, down or across,
    // every pixel up to its last, which it leaves out. A wide line surely
    // paints its middle between the two ends. Slanted lines are left alone:
    // which pixels they take depends on the drawing code's rounding.
    const bool thin = penWidth <= 1;
    if (thin && (from.x == to.x || from.y == to.y)) {
        cover.Take(StraightThinLine(from, to));
    } else if (from.x == to.x) {
        cover.Take({ from.x, std::min(from.y, to.y) + 1, from.x + 1, std::max(from.y, to.y) });
    } else if (from.y == to.y) {
        cover.Take({ std::min(from.x, to.x) + 1, from.y, std::max(from.x, to.x), from.y + 1 });
    } else if (thin) {
        cover.Take({ from.x, from.y, from.x + 1, from.y + 1 });
    }
}

PixelBox MarkerReach(const PixelBox& box, MarkerShape shape, int penWidth)
{
    // The cross's box takes in the ends of its strokes; the strokes' last
    // pixels may lie on its right and bottom edges.
    int spare = shape == MarkerShape::Cross ? 1 : 0;
    return Grown(box, PenReach(penWidth) + spare);
}

PixelBox MarkerPaint(const PixelBox& box, MarkerShape shape)
{
    switch (shape) {
    case MarkerShape::Square:
        // Outline and filling together paint the whole rectangle.
        return box;
    case MarkerShape::Circle: {
        // A square well inside the circle: its corners lie within 0.35 of the
        // diameter from the centre, and the circle's edge at 0.5.
        int dx = (box.right - box.left) * 15 / 100 + 1;
        int dy = (box.bottom - box.top) * 15 / 100 + 1;
        return { box.left + dx, box.top + dy, box.right - dx, box.bottom - dy };
    }
    default:
        return { 0, 0, 0, 0 };
    }
}

LaterMarkers::LaterMarkers(int lowTop, int highTop)
    : m_lowTop(lowTop), m_entries(highTop > lowTop ? highTop - lowTop : 0, Entry{ -1, 0, 0 })
{
}

bool LaterMarkers::SeenOrAdd(const PixelBox& box)
{
    if (m_stamp == 0 || box.left != m_left) {
        ++m_stamp;
        m_left = box.left;
    }
    int slot = box.top - m_lowTop;
    if (slot < 0 || slot >= static_cast<int>(m_entries.size()))
        return false;
    Entry& e = m_entries[slot];
    if (e.stamp == m_stamp && e.right == box.right && e.bottom == box.bottom)
        return true;
    e = { m_stamp, box.right, box.bottom };
    return false;
}

PrimitiveChooser::PrimitiveChooser(const CurveStyle& style, const PixelBox& area, PointFlags& flags)
    : m_style(style),
      m_cover(area, style.paintKnownPixels),
      // Boxes reach a little beyond the area; further out they never show.
      m_later(area.top - 64, area.bottom + 64),
      m_flags(flags)
{
}

void PrimitiveChooser::VisitMarker(int i, const PixelBox& box)
{
    if (m_style.sameBoxSameMarker && m_later.SeenOrAdd(box))
        return;
    if (m_style.paintKnownPixels && m_style.marker == MarkerShape::Square) {
        if (m_cover.PlaceExact(box, true) == Placement::Draw)
            m_flags.Set(i, kVisitPoint | kDrawMarker);
        return;
    }
    PixelBox reach = MarkerReach(box, m_style.marker, m_style.penWidth);
    if (m_cover.AllTaken(reach))
        return;
    m_flags.Set(i, kVisitPoint | kDrawMarker);
    m_cover.Take(MarkerPaint(box, m_style.marker));
    if (m_style.paintKnownPixels)
        m_cover.Touch(reach);
}

void PrimitiveChooser::VisitLine(int from, int to, PixelPoint a, PixelPoint b)
{
    if (m_style.paintKnownPixels && (a.x == b.x || a.y == b.y)) {
        PixelBox straight = StraightThinLine(a, b);
        if (!straight.IsEmpty() && m_cover.PlaceExact(straight, false) == Placement::Draw) {
            m_flags.Set(from, kVisitPoint);
            m_flags.Set(to, kVisitPoint | kDrawLine);
        }
        return;
    }
    PixelBox reach = LineReach(a, b, m_style.penWidth);
    if (m_cover.AllTaken(reach))
        return;
    m_flags.Set(from, kVisitPoint);
    m_flags.Set(to, kVisitPoint | kDrawLine);
    TakeLine(m_cover, a, b, m_style.penWidth);
    if (m_style.paintKnownPixels)
        m_cover.Touch(reach);
}
