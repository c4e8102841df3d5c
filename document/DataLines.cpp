#include "document/DataLines.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <vector>

#include "document/NumberText.h"
#include "document/RadixSort.h"

const char kDataSeparators[] = " \t,";

namespace {

// Compared one by one rather than looked up in kDataSeparators: this runs for
// every character of every data line.
bool IsSeparator(char ch)
{
    return ch == ' ' || ch == '\t' || ch == ',';
}

bool StrictlyAscending(int n, const float* x)
{
    for (int i = 1; i < n; ++i) {
        if (!(x[i - 1] < x[i]))
            return false;
    }
    return true;
}

}  // namespace

const char* LineFaultFormat(LineFault fault)
{
    switch (fault) {
    case LineFault::MissingField:
        return "Line %d is missing...";
    case LineFault::MissingData:
        return "Line %d has missing data...";
    case LineFault::TooLong:
        return "Line %d is longer than 83 characters...";
    default:
        return "";
    }
}

std::string LineFaultMessage(LineFault fault, int lineNumber)
{
    char text[64];
    std::snprintf(text, sizeof text, LineFaultFormat(fault), lineNumber);
    return text;
}

LineFault SplitDataLine(const char* line, std::size_t length, float& x, float& y)
{
    if (length > kMaxDataLineLength)
        return LineFault::TooLong;
    const char* end = line + length;
    const char* p = line;
    while (p < end && IsSeparator(*p))
        ++p;
    if (p == end)
        return LineFault::MissingField;
    const char* field = p;
    while (p < end && !IsSeparator(*p))
        ++p;
    // The Y text starts after the one separator that ended the X field.
    if (p == end || p + 1 == end)
        return LineFault::MissingData;
    x = static_cast<float>(AtoF(field, p));
    y = static_cast<float>(AtoF(p + 1, end));
    return LineFault::None;
}

std::string DataLineToGridRow(std::string_view line, char separator)
{
    const char* p = line.data();
    const char* end = p + line.size();
    while (p < end && IsSeparator(*p))
        ++p;
    const char* x = p;
    while (p < end && !IsSeparator(*p))
        ++p;
    std::string row = std::string(x, p) + separator;
    // No Y text: the conversion refuses the line, and the empty Y cell asks
    // the user for the number.
    if (p == end || p + 1 == end)
        return row;
    const char* y = p + 1;
    // What the number reader skips before a number.
    while (y < end && (*y == ' ' || *y == '\t' || *y == '\r' || *y == '\n' || *y == '\v' || *y == '\f'))
        ++y;
    const char* yEnd = y;
    while (yEnd < end && !IsSeparator(*yEnd))
        ++yEnd;
    // A Y text that starts with a separator, or holds only blanks, reads as 0.
    return row + (y == yEnd ? std::string("0") : std::string(y, yEnd));
}

namespace {

// The heap's sift of (xt, yt) from node l down, in 1-based positions of a
// heap of ir points: children move up until one is not above xt.
void SiftDown(float* X, float* Y, int l, int ir, float xt, float yt)
{
    int i = l;
    int j = l + l;
    while (j <= ir) {
        if (j < ir && X[j] < X[j + 1])
            ++j;
        if (!(xt < X[j]))
            break;
        X[i] = X[j];
        Y[i] = Y[j];
        i = j;
        j += j;
    }
    X[i] = xt;
    Y[i] = yt;
}

// The same sift from the root, in two passes with the same result: first the
// path of larger children moves up all the way to the bottom, then the
// children that were not above xt move back down. A point taken from the
// bottom mostly belongs near the bottom again, so this compares about half
// as often as the sift above.
void SiftFromRoot(float* X, float* Y, int ir, float xt, float yt)
{
    int i = 1;
    for (int j = 2; j <= ir; j += j) {
        if (j < ir && X[j] < X[j + 1])
            ++j;
        X[i] = X[j];
        Y[i] = Y[j];
        i = j;
    }
    while (i > 1 && !(xt < X[i >> 1])) {
        X[i] = X[i >> 1];
        Y[i] = Y[i >> 1];
        i >>= 1;
    }
    X[i] = xt;
    Y[i] = yt;
}

// The heapsort, in 1-based positions as the procedure is written: the heap
// is built, then its top goes to the end, one point after the other.
void Heapsort(int n, float* x, float* y)
{
    float* X = x - 1;
    float* Y = y - 1;
    for (int l = n / 2; l >= 1; --l)
        SiftDown(X, Y, l, n, X[l], Y[l]);
    for (int ir = n; ir > 1; --ir) {
        float xt = X[ir];
        float yt = Y[ir];
        X[ir] = X[1];
        Y[ir] = Y[1];
        SiftFromRoot(X, Y, ir - 1, xt, yt);
    }
}

// Whether a sample of the X shows two equal values (or a NaN): then the
// radix sort is not worth trying. The sample takes neighbours in pairs,
// spread evenly: grouped X repeat next to each other, and measurements
// typed with six digits repeat in single precision long before a million
// points, which a sample of 65,536 finds at once.
bool SampleRepeats(int n, const float* x)
{
    const int pairs = std::min(n, kRepeatSample) / 2;
    std::vector<float> sample;
    sample.reserve(2 * pairs);
    for (int k = 0; k < pairs; ++k) {
        long long i = n <= kRepeatSample ? 2LL * k : static_cast<long long>(k) * (n - 1) / pairs;
        sample.push_back(x[i]);
        sample.push_back(x[i + 1]);
    }
    if (n <= kRepeatSample && n % 2)
        sample.push_back(x[n - 1]);
    for (float value : sample) {
        if (value != value)
            return true;
    }
    std::sort(sample.begin(), sample.end());
    return std::adjacent_find(sample.begin(), sample.end()) != sample.end();
}

}  // namespace

void SortPointsByX(int n, float* x, float* y)
{
    SortPointsByX(n, x, y, kRadixSortMinimum);
}

bool SortIfDistinct(int n, float* x, float* y)
{
    try {
        CRadixSort radix(n, x, y);
        if (!radix.Sort())
            return false;
        radix.CopyTo(x, y);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void SortPointsByX(int n, float* x, float* y, int radixMinimum)
{
    // Strictly ascending X has only one sorted order, which the heapsort
    // would reach too; equal X values need the procedure's own order.
    if (StrictlyAscending(n, x))
        return;
    // Where every X differs there is only one ascending order, the
    // heapsort's too: the radix sort reaches it in a few passes.
    // Without memory for the sample the heapsort alone runs, as it needs none.
    try {
        if (n >= radixMinimum && !SampleRepeats(n, x) && SortIfDistinct(n, x, y))
            return;
    } catch (const std::bad_alloc&) {
    }
    Heapsort(n, x, y);
}

void ComputeRange(const float* values, int count, double range[2])
{
    float lo = values[0];
    float hi = values[0];
    for (int i = 1; i < count; ++i) {
        if (values[i] < lo)
            lo = values[i];
        if (values[i] > hi)
            hi = values[i];
    }
    if (lo == hi)
        hi = hi * kRangeWidening;
    range[0] = lo;
    range[1] = hi;
}
