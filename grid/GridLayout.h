#pragma once
// Layout arithmetic of the grid control, without Windows.
#include <vector>

// Characters of the row-number column for a grid of nRows rows (title row
// included): room for the highest row number and a margin.
int RowNumberChars(int nRows);
// The height of nRows rows (negative for rows above), held within what no
// screen comes near, so that the edges of rows far away do not wrap round
// in 32 bits (100,000,000 rows of 24 pixels would).
int RowSpan(int nRows, int nRowHeight);

// How many data columns surely fit into nAvailable pixels whatever the scroll
// position: the widest columns are added up first. widths[0] is the row-number
// column, widths[1..nColumns] the data columns.
int ColumnsPerPage(const std::vector<int>& widths, int nColumns, int nAvailable);
