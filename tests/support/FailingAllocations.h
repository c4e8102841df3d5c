#pragma once
// Makes the program's operator new fail while an object of this class lives:
// every allocation of at least some size, or only the n-th allocation from
// now on. It counts the allocations it saw and keeps the size of the one it
// failed last.
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "framework/SmallBlockHeap.h"

class FailingAllocations {
public:
    static FailingAllocations Larger(std::size_t minimum) { return FailingAllocations(minimum, 0); }
    // nth 0 fails none: the allocations are only counted.
    static FailingAllocations Nth(long nth) { return FailingAllocations(SIZE_MAX, nth); }

    ~FailingAllocations() { AfxSetAllocationFilter(nullptr); }
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;

    static long Seen() { return s_seen; }
    // 0 when none failed.
    static std::size_t FailedSize() { return s_failedSize; }

private:
    FailingAllocations(std::size_t minimum, long nth)
    {
        s_minimum = minimum;
        s_nth = nth;
        s_seen = 0;
        s_failedSize = 0;
        AfxSetAllocationFilter(&Filter);
    }

    static bool Filter(std::size_t size)
    {
        long n = ++s_seen;
        bool fail = s_nth ? n == s_nth : size >= s_minimum;
        if (fail)
            s_failedSize = size;
        return fail;
    }

    static inline std::atomic<std::size_t> s_minimum{0};
    static inline std::atomic<long> s_nth{0};
    static inline std::atomic<long> s_seen{0};
    static inline std::atomic<std::size_t> s_failedSize{0};
};
