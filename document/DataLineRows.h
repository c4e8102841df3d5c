#pragma once
// DataLineRows: the rows the Data to Graph dialog's grid edits, read from the
// document's data lines rather than copied from them. Row 0 holds the column
// titles "X Y"; row i shows data line i - 1 as DataLineToGridRow gives it,
// until the grid changes it. Changed and added rows are kept here, so the
// dialog costs a few bytes per line, not a string per line.
#include <cstdint>
#include <string>
#include <vector>

#include "document/TextLines.h"
#include "grid/GridData.h"

class DataLineRows : public GridRowList {
public:
    // The first nLines of lines, which must outlive the rows and stay as they are.
    DataLineRows(const TextLines& lines, int nLines, char separator);

    int Count() const override { return static_cast<int>(m_rows.size()); }
    // Valid until the next call on these rows.
    const std::string& Row(int nIndex) const override;
    void SetRow(int nIndex, const std::string& text) override;
    void RemoveRow(int nIndex) override { m_rows.erase(m_rows.begin() + nIndex); }

private:
    const TextLines& m_lines;
    char m_separator;
    // Per row: the data line it shows (0 and up), or -1 - its index in m_changed.
    std::vector<std::int32_t> m_rows;
    std::vector<std::string> m_changed;
    // The data line m_shown shows (the lines never change): a row's cells are
    // read one after another.
    mutable std::int32_t m_shownLine = -1;
    mutable std::string m_shown;
};
