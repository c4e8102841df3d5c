#pragma once
// LineStarts: where each line of a TextLines begins in its text, and where
// the text ends, in about half the room of a 32-bit position each. The
// positions go in blocks of 32: a block holds one 32-bit base and a 16-bit
// distance from it for each position. A block whose positions lie 64 KB or
// more apart (very long lines) keeps them in full, beside the others, and
// marks itself by the distance of its first position, otherwise always 0.
#include <cstddef>
#include <cstdint>
#include <vector>

class LineStarts {
public:
    std::size_t size() const { return m_offsets.size(); }
    std::size_t capacity() const { return m_offsets.capacity(); }
    std::uint32_t back() const { return (*this)[size() - 1]; }
    std::uint32_t operator[](std::size_t i) const
    {
        const std::uint32_t base = m_bases[i >> kShift];
        if (m_offsets[i & ~kMask] == kNarrow)
            return base + m_offsets[i];
        return m_full[base + (i & kMask)];
    }

    void push_back(std::uint32_t start);
    // Only ever shortens: the positions past n go.
    void resize(std::size_t n);
    void clear();
    void reserve(std::size_t n);
    // Moves every position from i on by shift; they stay in order. First
    // MakeRoomToShift, which may throw std::bad_alloc and moves nothing;
    // then ShiftFrom allocates nothing.
    void MakeRoomToShift(std::size_t i, std::int64_t shift);
    void ShiftFrom(std::size_t i, std::int64_t shift);

private:
    static constexpr std::size_t kShift = 5;
    static constexpr std::size_t kMask = (std::size_t(1) << kShift) - 1;
    static constexpr std::uint16_t kNarrow = 0;
    static constexpr std::uint16_t kFull = 1;

    bool IsFull(std::size_t block) const { return m_offsets[block << kShift] == kFull; }
    void MakeFull(std::size_t block);
    void DropUnusedFull();

    std::vector<std::uint32_t> m_bases;    // per block: its first position, or its place in m_full
    std::vector<std::uint16_t> m_offsets;  // per position: its distance from its block's base
    std::vector<std::uint32_t> m_full;     // 32 positions for each block kept in full
};
