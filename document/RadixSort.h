#pragma once
// A radix sort of points by X for data whose X all differ: where no two X
// are equal there is only one ascending order, the one the heapsort gives
// too, and this reaches it in a few passes over the data instead of
// n log n comparisons.
#include <cstdint>
#include <memory>

class CRadixSort {
public:
    // Takes a copy of the n points (n >= 2); x and y are not changed. Throws
    // std::bad_alloc when the copy's memory (16 bytes a point) is not there.
    CRadixSort(int n, const float* x, const float* y);

    // Sorts the copy by X; false, leaving nothing usable, when two X are
    // equal as numbers (-0 and 0 among them) or one is NaN.
    bool Sort();
    // Writes the sorted copy to x and y.
    void CopyTo(float* x, float* y) const;

private:
    int m_n;
    std::unique_ptr<std::uint64_t[]> m_pairs;  // the order key above, Y's bits below
    std::unique_ptr<std::uint64_t[]> m_spare;
};
