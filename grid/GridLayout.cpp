#include "grid/GridLayout.h"

#include <algorithm>
#include <functional>

int RowNumberChars(int nRows)
{
    if (nRows >= 100000)
        return 7;
    if (nRows >= 10000)
        return 6;
    if (nRows >= 1000)
        return 5;
    return 4;
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
