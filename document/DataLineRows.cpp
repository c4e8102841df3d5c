#include "document/DataLineRows.h"

#include "document/DataLines.h"

DataLineRows::DataLineRows(const TextLines& lines, int nLines, char separator)
    : m_lines(lines), m_separator(separator), m_changed(1, "X Y")
{
    // Room for the rows a user adds: the first one added to a long list
    // would otherwise copy it whole. Room not used costs no memory.
    m_rows.reserve(static_cast<std::size_t>(nLines) + 1 + nLines / 8 + 64);
    m_rows.push_back(-1);
    for (int i = 0; i < nLines; ++i)
        m_rows.push_back(i);
}

const std::string& DataLineRows::Row(int nIndex) const
{
    std::int32_t row = m_rows[nIndex];
    if (row < 0)
        return m_changed[-1 - row];
    if (row != m_shownLine) {
        m_shown = DataLineToGridRow(m_lines[row], m_separator);
        m_shownLine = row;
    }
    return m_shown;
}

void DataLineRows::SetRow(int nIndex, const std::string& text)
{
    while (Count() <= nIndex) {
        m_changed.emplace_back();
        m_rows.push_back(-static_cast<std::int32_t>(m_changed.size()));
    }
    std::int32_t& row = m_rows[nIndex];
    if (row >= 0) {
        m_changed.emplace_back();
        row = -static_cast<std::int32_t>(m_changed.size());
    }
    m_changed[-1 - row] = text;
}
