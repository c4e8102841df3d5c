#include "grid/GridLayout.h"

#include <algorithm>
#include <functional>

int RowNumberChars(int nRows)
{
    // Four characters below 1000 rows, and one more from each power of ten on.
    int chars = 4;
    for (long long limit = 1000; nRows >= limit; limit *= 10)
        ++chars;
    return chars;
}

int RowSpan(int nRows, int nRowHeight)
{
    const long long kFar = 1 << 26;
    return static_cast<int>(std::clamp(static_cast<long long>(nRows) * nRowHeight, -kFar, kFar));
}

int ColumnsPerPage(const std::vector<int>& widths, int nColumns, int nAvailable)
{
    std::vector<int> sorted(widths.begin() + 1, widths.begin() + 1 + nColumns);
    std::sort(sorted.begin(), sorted.end(), std::greater<int>());
    int target = nAvailable - widths[0];
    int sum = 0;
    for (int i = 0; i < nColumns; ++i) {
        sum += sorted[i];
        if (sum >= target)
            return i;
    }
    return nColumns;
}
