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

std::uint64_t RowMask(int from, int to)
{
    // Bits [from, to) of one word, 0 <= from < to <= 64.
    std::uint64_t high = to == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << to) - 1;
    return high & ~((std::uint64_t(1) << from) - 1);
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
        m_flags[index] |= kVisitPoint | kDrawLine;
    for (int index = m_first; bWholeRun && index <= m_last; ++index)
        m_flags[index] |= kVisitPoint | kDrawLine;
    m_bOpen = false;
}

CoverMap::CoverMap(const PixelBox& area)
    : m_area(area),
      m_nWordsPerColumn(area.IsEmpty() ? 0 : (area.bottom - area.top + 63) / 64),
      m_bits(area.IsEmpty() ? 0 : static_cast<std::size_t>(area.right - area.left) * m_nWordsPerColumn)
{
}

bool CoverMap::AllTaken(const PixelBox& box) const
{
    int left = std::max(box.left, m_area.left);
    int right = std::min(box.right, m_area.right);
    int top = std::max(box.top, m_area.top);
    int bottom = std::min(box.bottom, m_area.bottom);
    for (int x = left; x < right && top < bottom; ++x) {
        if (!ColumnTaken(x - m_area.left, top - m_area.top, bottom - m_area.top))
            return false;
    }
    return true;
}

void CoverMap::Take(const PixelBox& box)
{
    int left = std::max(box.left, m_area.left);
    int right = std::min(box.right, m_area.right);
    int top = std::max(box.top, m_area.top);
    int bottom = std::min(box.bottom, m_area.bottom);
    for (int x = left; x < right && top < bottom; ++x)
        TakeColumn(x - m_area.left, top - m_area.top, bottom - m_area.top);
}

bool CoverMap::ColumnTaken(int column, int top, int bottom) const
{
    const std::uint64_t* words = &m_bits[static_cast<std::size_t>(column) * m_nWordsPerColumn];
    for (int y = top; y < bottom;) {
        int word = y / 64;
        int to = std::min(bottom - word * 64, 64);
        std::uint64_t mask = RowMask(y - word * 64, to);
        if ((words[word] & mask) != mask)
            return false;
        y = word * 64 + to;
    }
    return true;
}

void CoverMap::TakeColumn(int column, int top, int bottom)
{
    std::uint64_t* words = &m_bits[static_cast<std::size_t>(column) * m_nWordsPerColumn];
    for (int y = top; y < bottom;) {
        int word = y / 64;
        int to = std::min(bottom - word * 64, 64);
        words[word] |= RowMask(y - word * 64, to);
        y = word * 64 + to;
    }
}

PixelBox LineReach(PixelPoint from, PixelPoint to, int penWidth)
{
    PixelBox box = { std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 1,
                     std::max(from.y, to.y) + 1 };
    return Grown(box, PenReach(penWidth));
}

void TakeLine(CoverMap& cover, PixelPoint from, PixelPoint to, int penWidth)
{
    // A thin line paints its first pixel and, straight up, down or across,
    // every pixel up to its last, which it leaves out. A wide line surely
    // paints its middle between the two ends. Slanted lines are left alone:
    // which pixels they take depends on the drawing code's rounding.
    const bool thin = penWidth <= 1;
    if (from.x == to.x) {
        int top = std::min(from.y, to.y);
        int bottom = std::max(from.y, to.y);
        if (thin)
            cover.Take(from.y <= to.y ? PixelBox{ from.x, from.y, from.x + 1, to.y }
                                      : PixelBox{ from.x, to.y + 1, from.x + 1, from.y + 1 });
        else
            cover.Take({ from.x, top + 1, from.x + 1, bottom });
    } else if (from.y == to.y) {
        int left = std::min(from.x, to.x);
        int right = std::max(from.x, to.x);
        if (thin)
            cover.Take(from.x <= to.x ? PixelBox{ from.x, from.y, to.x, from.y + 1 }
                                      : PixelBox{ to.x + 1, from.y, from.x + 1, from.y + 1 });
        else
            cover.Take({ left + 1, from.y, right, from.y + 1 });
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
