#include "document/RadixSort.h"

#include <cstring>

namespace {

const int kDigitBits = 11;
const int kBuckets = 1 << kDigitBits;
const int kPasses = 3;  // 11 + 11 + 10 bits of the 32-bit key

// A key whose unsigned order is the numbers' order: negative numbers have
// every bit turned, positive ones their sign bit set.
std::uint32_t OrderKey(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
}

float FromOrderKey(std::uint32_t key)
{
    std::uint32_t bits = (key & 0x80000000u) ? key & 0x7FFFFFFFu : ~key;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint32_t KeyOf(std::uint64_t pair)
{
    return static_cast<std::uint32_t>(pair >> 32);
}

int Digit(std::uint64_t pair, int pass)
{
    return static_cast<int>(KeyOf(pair) >> (pass * kDigitBits)) & (kBuckets - 1);
}

// The keys of -0 and 0, neighbours in key order and equal as numbers.
const std::uint32_t kMinusZero = 0x7FFFFFFFu;
const std::uint32_t kPlusZero = 0x80000000u;
// Keys beyond those of the infinities are NaN.
const std::uint32_t kBelowMinusInfinity = 0x007FFFFFu;
const std::uint32_t kAbovePlusInfinity = 0xFF800000u;

}  // namespace

CRadixSort::CRadixSort(int n, const float* x, const float* y)
    : m_n(n), m_pairs(new std::uint64_t[n]), m_spare(new std::uint64_t[n])
{
    for (int i = 0; i < n; ++i) {
        std::uint32_t yBits;
        std::memcpy(&yBits, &y[i], sizeof yBits);
        m_pairs[i] = (std::uint64_t(OrderKey(x[i])) << 32) | yBits;
    }
}

bool CRadixSort::Sort()
{
    // One pass counts every digit; a digit all keys share needs no pass.
    std::unique_ptr<int[]> counts(new int[kPasses * kBuckets]());
    for (int i = 0; i < m_n; ++i) {
        for (int pass = 0; pass < kPasses; ++pass)
            ++counts[pass * kBuckets + Digit(m_pairs[i], pass)];
    }
    for (int pass = 0; pass < kPasses; ++pass) {
        int* count = &counts[pass * kBuckets];
        if (count[Digit(m_pairs[0], pass)] == m_n)
            continue;
        int start = 0;
        for (int b = 0; b < kBuckets; ++b) {
            int c = count[b];
            count[b] = start;
            start += c;
        }
        for (int i = 0; i < m_n; ++i)
            m_spare[count[Digit(m_pairs[i], pass)]++] = m_pairs[i];
        m_pairs.swap(m_spare);
    }
    if (KeyOf(m_pairs[0]) < kBelowMinusInfinity || KeyOf(m_pairs[m_n - 1]) > kAbovePlusInfinity)
        return false;
    for (int i = 1; i < m_n; ++i) {
        std::uint32_t a = KeyOf(m_pairs[i - 1]), b = KeyOf(m_pairs[i]);
        if (a == b || (a == kMinusZero && b == kPlusZero))
            return false;
    }
    return true;
}

void CRadixSort::CopyTo(float* x, float* y) const
{
    for (int i = 0; i < m_n; ++i) {
        x[i] = FromOrderKey(KeyOf(m_pairs[i]));
        std::uint32_t yBits = static_cast<std::uint32_t>(m_pairs[i]);
        std::memcpy(&y[i], &yBits, sizeof yBits);
    }
}
