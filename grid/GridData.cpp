#include "grid/GridData.h"

#include <cstring>

const char kGridDelimiters[] = " \t,";

void GridVectorRows::SetRow(int nIndex, const std::string& text)
{
    if (nIndex >= Count())
        rows.resize(nIndex + 1);
    rows[nIndex] = text;
}

void CGridData::SetSize(int nRows, int nColumns)
{
    m_nRows = nRows < 2 ? 2 : nRows;
    m_nColumns = nColumns < 1 ? 1 : nColumns;
    if (nRows < 2 && m_pRows)
        m_pRows->SetRow(1, EmptyRowText());
}

std::string CGridData::EmptyRowText() const
{
    return std::string(m_nColumns > 1 ? m_nColumns - 1 : 0, m_chSeparator);
}

bool CGridData::IsDelimiter(char ch) const
{
    return ch != '\0' && std::strchr(m_pszDelimiters, ch) != nullptr;
}

bool CGridData::ScanField(const std::string& row, int nColumn, size_t& start, size_t& end, int& fieldCount) const
{
    start = 0;
    fieldCount = 0;
    for (size_t i = 0; i <= row.size(); ++i) {
        if (i < row.size() && !IsDelimiter(row[i]))
            continue;
        if (++fieldCount == nColumn) {
            end = i;
            return true;
        }
        start = i + 1;
    }
    start = end = row.size();
    return false;
}

std::string CGridData::GetCellText(int nRow, int nColumn) const
{
    if (nColumn < 1 || !IsRow(nRow))
        return std::string();
    const std::string& row = m_pRows->Row(nRow);
    size_t start, end;
    int count;
    if (!ScanField(row, nColumn, start, end, count))
        return std::string();
    return row.substr(start, end - start);
}

void CGridData::SetCellText(int nRow, int nColumn, const std::string& text, bool bRemoveField)
{
    if (nColumn < 1 || !IsRow(nRow))
        return;
    const std::string& row = m_pRows->Row(nRow);
    size_t start, end;
    int count;
    std::string result;
    if (ScanField(row, nColumn, start, end, count)) {
        size_t tail = end;
        if (bRemoveField && end < row.size())
            ++tail;
        result = row.substr(0, start) + text + row.substr(tail);
    } else if (!bRemoveField) {
        // The row is short of fields: add the missing ones, so nothing typed is lost.
        result = row + std::string(nColumn - count, m_chSeparator) + text;
    } else {
        return;
    }
    if (result != row)
        m_changedCells.insert({ nRow, nColumn });
    m_pRows->SetRow(nRow, result);
    m_bModified = 1;
}

void CGridData::DropChangedLine(bool bRow, int nIndex)
{
    std::set<std::pair<int, int>> kept;
    for (std::pair<int, int> cell : m_changedCells) {
        int& at = bRow ? cell.first : cell.second;
        if (at == nIndex)
            continue;
        if (at > nIndex)
            --at;
        kept.insert(cell);
    }
    m_changedCells.swap(kept);
}

void CGridData::AddRow()
{
    if (!m_pRows)
        return;
    // Appends when the list is exactly m_nRows long; a longer list has its
    // next string overwritten.
    m_pRows->SetRow(m_nRows, EmptyRowText());
    ++m_nRows;
    m_bModified = 1;
}

void CGridData::RemoveRow(int nRow)
{
    // Row 0 holds the titles and at least one data row stays.
    if (!IsRow(nRow) || nRow < 1 || nRow >= m_nRows || m_nRows <= 2)
        return;
    m_pRows->RemoveRow(nRow);
    DropChangedLine(true, nRow);
    --m_nRows;
    m_bModified = 1;
}

void CGridData::AddColumn()
{
    if (!m_pRows)
        return;
    for (int r = 0; r < m_nRows && r < m_pRows->Count(); ++r)
        m_pRows->SetRow(r, m_pRows->Row(r) + m_chSeparator);
    ++m_nColumns;
    m_bModified = 1;
}

void CGridData::RemoveColumn(int nColumn)
{
    // The last column stays: a row always has at least one field.
    if (!m_pRows || nColumn < 1 || nColumn > m_nColumns || m_nColumns <= 1)
        return;
    for (int r = 0; r < m_nRows && r < m_pRows->Count(); ++r)
        SetCellText(r, nColumn, std::string(), true);
    DropChangedLine(false, nColumn);
    --m_nColumns;
    m_bModified = 1;
}
