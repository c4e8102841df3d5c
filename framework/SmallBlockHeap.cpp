// The program's operator new and delete: small blocks come from pools of
// fixed-size blocks, larger ones from the C runtime's heap.
//
// A data file of a million points is a million short line strings. Under Wine
// each of them costs the C runtime's heap about 0.14 microseconds to allocate,
// more than converting the numbers in them; from a pool it is a few
// nanoseconds. Pools are 64 KB regions from VirtualAlloc (which hands out
// 64 KB-aligned regions), each holding blocks of one size, so a block needs no
// header: the region a pointer lies in tells whether it is a pool block and
// of which size. Freed blocks go back to their pool's free list; the regions
// stay with the program for the next file.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

static_assert(sizeof(void*) == 4, "the region map covers a 32-bit address space");

const std::size_t kAlignment = 16;                 // what operator new promises on this target
const std::size_t kLargestSmall = 256;             // bigger requests go to the C runtime
const std::size_t kClasses = kLargestSmall / kAlignment;
const std::size_t kRegionShift = 16;               // 64 KB regions
const std::size_t kRegionSize = std::size_t(1) << kRegionShift;
const std::size_t kRegionCount = std::size_t(1) << (32 - kRegionShift);

struct FreeBlock {
    FreeBlock* next;
};

// Per region: 0 when it is not a pool, else the pool's size class + 1.
unsigned char g_regionClass[kRegionCount];
FreeBlock* g_freeList[kClasses];
std::atomic_flag g_lock = ATOMIC_FLAG_INIT;

class SpinLock {
public:
    SpinLock()
    {
        while (g_lock.test_and_set(std::memory_order_acquire))
            SwitchToThread();
    }
    ~SpinLock() { g_lock.clear(std::memory_order_release); }
};

std::size_t RegionOf(const void* p)
{
    return reinterpret_cast<std::uintptr_t>(p) >> kRegionShift;
}

// Carves a new region into blocks of class c and puts them on its free list.
bool AddRegion(std::size_t c)
{
    char* region = static_cast<char*>(VirtualAlloc(nullptr, kRegionSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
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
    if (size == 0)
        size = 1;
    if (size > kLargestSmall)
        return _aligned_malloc(size, kAlignment);
    std::size_t c = (size - 1) / kAlignment;
    SpinLock lock;
    if (!g_freeList[c] && !AddRegion(c))
        return nullptr;
    FreeBlock* block = g_freeList[c];
    g_freeList[c] = block->next;
    return block;
}

void Release(void* p)
{
    if (!p)
        return;
    unsigned char tag = g_regionClass[RegionOf(p)];
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
