// The program's operator new: every size comes back aligned and usable, freed
// blocks are reused, and failure is reported, not hidden.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <set>
#include <vector>

TEST(SmallBlockHeap, EverySizeIsAlignedAndKeepsItsContents)
{
    std::vector<unsigned char*> blocks;
    for (std::size_t size = 0; size <= 1000; ++size) {
        unsigned char* p = new unsigned char[size + 1];
        EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(p) % 16) << "size " << size;
        std::memset(p, static_cast<int>(size & 0xFF), size + 1);
        blocks.push_back(p);
    }
    for (std::size_t size = 0; size < blocks.size(); ++size) {
        for (std::size_t i = 0; i <= size; ++i)
            ASSERT_EQ(static_cast<unsigned char>(size & 0xFF), blocks[size][i]) << "size " << size << " byte " << i;
        delete[] blocks[size];
    }
}

TEST(SmallBlockHeap, FreedBlocksAreReusedNotLeaked)
{
    std::set<void*> first;
    for (int i = 0; i < 1000; ++i)
        first.insert(::operator new(40));
    for (void* p : first)
        ::operator delete(p);
    int reused = 0;
    std::vector<void*> second;
    for (int i = 0; i < 1000; ++i) {
        second.push_back(::operator new(40));
        reused += first.count(second.back()) ? 1 : 0;
    }
    for (void* p : second)
        ::operator delete(p);
    EXPECT_EQ(1000, reused);
}

TEST(SmallBlockHeap, ImpossibleRequestFailsCleanly)
{
    // Volatile, so the compiler cannot see (and warn about) the size.
    volatile std::size_t huge = static_cast<std::size_t>(-64);
    void* p = ::operator new(huge, std::nothrow);
    EXPECT_EQ(nullptr, p);
    EXPECT_THROW(
        {
            void* q = ::operator new(huge);
            ::operator delete(q);
        },
        std::bad_alloc);
    delete static_cast<char*>(nullptr);
}
