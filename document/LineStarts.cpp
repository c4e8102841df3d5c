#include "document/LineStarts.h"

#include <algorithm>

namespace {

const std::uint32_t kMaxDistance = 0xFFFF;

}  // namespace

void LineStarts::push_back(std::uint32_t start)
{
    const std::size_t i = size();
    const std::size_t block = i >> kShift;
    if ((i & kMask) == 0) {
        m_bases.push_back(start);
        try {
            m_offsets.push_back(kNarrow);
        } catch (...) {
            m_bases.pop_back();
            throw;
        }
        return;
    }
    if (!IsFull(block)) {
        const std::uint32_t distance = start - m_bases[block];
        if (distance <= kMaxDistance) {
            m_offsets.push_back(static_cast<std::uint16_t>(distance));
            return;
        }
        MakeFull(block);
    }
    m_offsets.push_back(0);
    m_full[m_bases[block] + (i & kMask)] = start;
}

void LineStarts::resize(std::size_t n)
{
    if (n >= size())
        return;
    m_offsets.resize(n);
    m_bases.resize((n + kMask) >> kShift);
    if (!m_full.empty())
        DropUnusedFull();
}

void LineStarts::clear()
{
    m_bases.clear();
    m_offsets.clear();
    m_full.clear();
}

void LineStarts::reserve(std::size_t n)
{
    m_offsets.reserve(n);
    m_bases.reserve((n + kMask) >> kShift);
}

void LineStarts::MakeRoomToShift(std::size_t i, std::int64_t shift)
{
    const std::size_t block = i >> kShift;
    if (i >= size() || (i & kMask) == 0 || IsFull(block))
        return;
    // Only the block that holds i moves in part: its distances from i on grow.
    const std::size_t last = std::min(size(), (block + 1) << kShift) - 1;
    if (m_offsets[last] + shift > kMaxDistance)
        MakeFull(block);
}

void LineStarts::ShiftFrom(std::size_t i, std::int64_t shift)
{
    const std::uint32_t change = static_cast<std::uint32_t>(shift);
    for (std::size_t block = i >> kShift; block < m_bases.size(); ++block) {
        const std::size_t first = block << kShift;
        const std::size_t from = std::max(i, first);
        const bool bFull = IsFull(block);
        // A narrow block moved whole moves by its base alone.
        if (from == first && !bFull) {
            m_bases[block] += change;
            continue;
        }
        const std::size_t end = std::min(size(), first + kMask + 1);
        for (std::size_t j = from; j < end; ++j) {
            if (bFull)
                m_full[m_bases[block] + (j - first)] += change;
            else
                m_offsets[j] = static_cast<std::uint16_t>(m_offsets[j] + change);
        }
    }
}

void LineStarts::MakeFull(std::size_t block)
{
    const std::size_t first = block << kShift;
    const std::size_t end = std::min(size(), first + kMask + 1);
    const std::size_t place = m_full.size();
    m_full.resize(place + kMask + 1);
    for (std::size_t j = first; j < end; ++j)
        m_full[place + (j - first)] = (*this)[j];
    m_bases[block] = static_cast<std::uint32_t>(place);
    m_offsets[first] = kFull;
}

// After the positions were cut short: the blocks kept in full that went with
// them give their room back.
void LineStarts::DropUnusedFull()
{
    std::vector<std::uint32_t> kept;
    std::size_t fullBlocks = 0;
    for (std::size_t block = 0; block < m_bases.size(); ++block)
        fullBlocks += IsFull(block) ? 1 : 0;
    kept.reserve(fullBlocks << kShift);  // all the allocating, before anything moves
    for (std::size_t block = 0; block < m_bases.size(); ++block) {
        if (!IsFull(block))
            continue;
        const auto from = m_full.begin() + m_bases[block];
        m_bases[block] = static_cast<std::uint32_t>(kept.size());
        kept.insert(kept.end(), from, from + kMask + 1);
    }
    m_full.swap(kept);
}
