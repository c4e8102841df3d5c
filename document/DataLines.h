#pragma once
// Turning data lines into points, with no dependence on Windows: splitting a
// line into its X and Y, the X sort, and the ranges of the values.
#include <cstddef>
#include <string>
#include <string_view>

#include "document/BackgroundTask.h"

// How a data line failed to give a point.
enum class LineFault {
    None,
    MissingField,  // empty, or only separators
    MissingData,   // an X but no Y text after it
    TooLong        // more than kMaxDataLineLength characters
};

// The characters that separate the two numbers of a data line: space, tab
// and comma.
extern const char kDataSeparators[];

// The longest data line the program takes; a longer one is refused rather
// than cut, since cutting could change a number.
const std::size_t kMaxDataLineLength = 83;

// The message for a faulty line; "%d" stands for the 1-based line number.
const char* LineFaultFormat(LineFault fault);
std::string LineFaultMessage(LineFault fault, int lineNumber);

// Splits one data line: the X field runs from the first character that is not
// a separator (space, tab, comma) to the next separator; the Y text is
// everything after that one separator. Both are converted like atof and
// rounded to single precision.
LineFault SplitDataLine(const char* line, std::size_t length, float& x, float& y);

// The row the data grid shows for a data line: the X field and the Y text as
// SplitDataLine reads them (the Y text without its leading blanks, up to the
// next separator), joined by separator. The grid splits a row at every
// separator, so a line such as "1, 2" or " 1 2" would otherwise show an empty
// cell, or X under Y. A line without a Y text gives an empty Y cell; a Y
// text the reader finds no number in ("1,,2") gives "0", the value it reads.
std::string DataLineToGridRow(std::string_view line, char separator);

// Result of converting lines: the first faulty line (0-based), if any.
struct ConvertResult {
    LineFault fault;
    int line;
};

// Converts lines 0 to n - 1 into x[] and y[]; getLine(i) gives a string
// with data() and size(). Stops at the first faulty line.
template <class GetLine>
ConvertResult ConvertDataLines(int n, GetLine getLine, float* x, float* y)
{
    for (int i = 0; i < n; ++i) {
        const auto& line = getLine(i);
        LineFault fault = SplitDataLine(line.data(), line.size(), x[i], y[i]);
        if (fault != LineFault::None)
            return { fault, i };
    }
    return { LineFault::None, -1 };
}

// Lines from which a second thread pays for itself.
const int kLinesWorthAThread = 50000;

// The same with the second half of the lines converted on a second thread,
// when there are enough of them. The first fault is the one reported,
// whichever thread found it.
template <class GetLine>
ConvertResult ConvertDataLinesOnTwoThreads(int n, GetLine getLine, float* x, float* y)
{
    ConvertResult results[2] = { { LineFault::None, -1 }, { LineFault::None, -1 } };
    ForBothHalves(n, kLinesWorthAThread, [&](int half, int first, int last) {
        auto getPart = [&](int i) -> decltype(auto) { return getLine(first + i); };
        results[half] = ConvertDataLines(last - first, getPart, x + first, y + first);
        if (results[half].fault != LineFault::None)
            results[half].line += first;
    });
    return results[0].fault != LineFault::None ? results[0] : results[1];
}

// Heapsort of the points by ascending X, each Y moving with its X. Not
// stable: points with equal X come out in the order this procedure gives,
// which the curve shows, so the procedure must stay exactly as it is. n >= 2.
// Strictly ascending X are left as they are, without sorting. From
// radixMinimum points on, where a sample of the X shows no two equal, a
// radix sort is tried first: where no two X are equal there is only one
// ascending order, which it gives; the heapsort runs where it finds two, or
// where the sample or the radix sort finds no memory. Never throws.
void SortPointsByX(int n, float* x, float* y);
void SortPointsByX(int n, float* x, float* y, int radixMinimum);
// The size of the sample that looks for equal X before the radix sort.
const int kRepeatSample = 65536;
// The radix sort alone, on this thread: true, the points sorted, when every
// X differs; false, the points as they were, when two X are equal, one is
// NaN or the sort's memory is not there.
bool SortIfDistinct(int n, float* x, float* y);
// Points from which the sample and the radix sort's copy pay for themselves.
const int kRadixSortMinimum = 20000;

// Minimum and maximum of the values; an empty range (all values equal) is
// widened by multiplying the maximum by 1.00004 in single precision.
void ComputeRange(const float* values, int count, double range[2]);

// The widening factor 1.00004 as a single-precision value (bits 0x3F800150).
const float kRangeWidening = 0x1.0002Ap+0f;
