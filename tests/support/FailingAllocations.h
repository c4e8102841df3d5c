#pragma once
// Makes the program's operator new fail, while an object of this class
// lives, for every allocation of from to below to bytes.
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "framework/SmallBlockHeap.h"

class FailingAllocations {
public:
    explicit FailingAllocations(std::size_t from, std::size_t to = SIZE_MAX)
    {
        s_from = from;
        s_to = to;
        AfxSetAllocationFilter([](std::size_t size) { return size >= s_from && size < s_to; });
    }
    ~FailingAllocations() { AfxSetAllocationFilter(nullptr); }
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;

private:
    static inline std::atomic<std::size_t> s_from{0};
    static inline std::atomic<std::size_t> s_to{0};
};
