// The program's operator new and delete: small blocks come from pools of
// fixed-size blocks, larger ones from the C runtime's heap.
//
// A data file of a million points is a million short line strings. Under Wine
// each of them costs the C runtime's heap about 0.14 microseconds to allocate,
// more than converting the numbers in them; from a pool it is a few
// nanoseconds. Pools are 64 KB regions, each holding blocks of one size, so a
// block needs no header: the region a pointer lies in tells whether it is a
// pool block and of which size. Freed blocks go back to their pool's free
// list; the regions stay with the program for the next file.
//
// All regions lie in one 4 GB range, so the region map has 65,536 entries on
// both builds. In the 32-bit build that range is the whole address space and
// VirtualAlloc places each region (it hands out 64 KB-aligned regions). In
// the 64-bit build the range is reserved at the first small request and its
// regions are committed one after another; once it is used up, or if it could
// not be reserved, small requests go to the C runtime too.
#include "framework/SmallBlockHeap.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

const std::size_t kAlignment = 16;                 // what operator new promises on both targets
const std::size_t kLargestSmall = 256;             // bigger requests go to the C runtime
const std::size_t kClasses = kLargestSmall / kAlignment;
const std::size_t kRegionShift = 16;               // 64 KB regions
const std::size_t kRegionSize = std::size_t(1) << kRegionShift;
const std::uint64_t kRangeSize = std::uint64_t(1) << 32;
const std::size_t kRegionCount = static_cast<std::size_t>(kRangeSize >> kRegionShift);
const bool kWholeAddressSpace = sizeof(void*) == 4;

struct FreeBlock {
    FreeBlock* next;
};

// Per region of the range: 0 when it is not a pool, else the pool's size class + 1.
unsigned char g_regionClass[kRegionCount];
std::atomic<char*> g_rangeBase{nullptr};  // the 64-bit build's reserved range, once reserved
std::size_t g_regionsCommitted;            // the 64-bit build's regions in use, from its start
FreeBlock* g_freeList[kClasses];
std::atomic_flag g_lock = ATOMIC_FLAG_INIT;
std::atomic<AfxAllocationFilter> g_allocationFilter{nullptr};

class SpinLock {
public:
    SpinLock()
    {
        while (g_lock.test_and_set(std::memory_order_acquire))
            SwitchToThread();
    }
    ~SpinLock() { g_lock.clear(std::memory_order_release); }
};

// The index of the region holding p, or kRegionCount when p lies outside the range.
std::size_t RegionOf(const void* p)
{
    char* base = g_rangeBase.load(std::memory_order_acquire);
    if (!kWholeAddressSpace && !base)
        return kRegionCount;
    std::uint64_t offset = reinterpret_cast<std::uintptr_t>(p) - reinterpret_cast<std::uintptr_t>(base);
    return offset < kRangeSize ? static_cast<std::size_t>(offset >> kRegionShift) : kRegionCount;
}

// A new 64 KB region of the range, or null when there is none.
char* NewRegion()
{
    if (kWholeAddressSpace)
        return static_cast<char*>(VirtualAlloc(nullptr, kRegionSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    char* base = g_rangeBase.load(std::memory_order_relaxed);
    if (!base && g_regionsCommitted == 0) {
        base = static_cast<char*>(VirtualAlloc(nullptr, static_cast<std::size_t>(kRangeSize), MEM_RESERVE, PAGE_NOACCESS));
        g_rangeBase.store(base, std::memory_order_release);
        if (!base)
            g_regionsCommitted = kRegionCount;  // not reserved: no pools, never asked again
    }
    if (g_regionsCommitted == kRegionCount)
        return nullptr;
    char* region = base + g_regionsCommitted * kRegionSize;
    if (!VirtualAlloc(region, kRegionSize, MEM_COMMIT, PAGE_READWRITE))
        return nullptr;
    ++g_regionsCommitted;
    return region;
}

// Carves a new region into blocks of class c and puts them on its free list.
bool AddRegion(std::size_t c)
{
    char* region = NewRegion();
    if (!region)
        return false;
    std::size_t blockSize = (c + 1) * kAlignment;
    for (std::size_t offset = 0; offset + blockSize <= kRegionSize; offset += blockSize) {
        FreeBlock* block = reinterpret_cast<FreeBlock*>(region + offset);
        block->next = g_freeList[c];
        g_freeList[c] = block;
    }
    g_regionClass[RegionOf(region)] = static_cast<unsigned char>(c + 1);
    return true;
}

void* Allocate(std::size_t size)
{
    AfxAllocationFilter filter = g_allocationFilter.load(std::memory_order_relaxed);
    if (filter && filter(size))
        return nullptr;
    if (size == 0)
        size = 1;
    if (size > kLargestSmall)
        return _aligned_malloc(size, kAlignment);
    std::size_t c = (size - 1) / kAlignment;
    {
        SpinLock lock;
        if (g_freeList[c] || AddRegion(c)) {
            FreeBlock* block = g_freeList[c];
            g_freeList[c] = block->next;
            return block;
        }
    }
    return _aligned_malloc(size, kAlignment);
}

void Release(void* p)
{
    if (!p)
        return;
    std::size_t region = RegionOf(p);
    unsigned char tag = region < kRegionCount ? g_regionClass[region] : 0;
    if (tag == 0) {
        _aligned_free(p);
        return;
    }
    SpinLock lock;
    FreeBlock* block = static_cast<FreeBlock*>(p);
    block->next = g_freeList[tag - 1];
    g_freeList[tag - 1] = block;
}

void* AllocateOrThrow(std::size_t size)
{
    void* p = Allocate(size);
    if (!p)
        throw std::bad_alloc();
    return p;
}

}  // namespace

void AfxSetAllocationFilter(AfxAllocationFilter filter)
{
    g_allocationFilter.store(filter);
}

void* operator new(std::size_t size)
{
    return AllocateOrThrow(size);
}

void* operator new[](std::size_t size)
{
    return AllocateOrThrow(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void operator delete(void* p) noexcept
{
    Release(p);
}

void operator delete[](void* p) noexcept
{
    Release(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    Release(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    Release(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept
{
    Release(p);
}

void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    Release(p);
}
