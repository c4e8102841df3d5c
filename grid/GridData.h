#pragma once
// CGridData: the grid's cell store. It keeps no text of its own: it reads and
// writes the fields of a list of row strings that the host owns, one string
// per grid row (row 0 holds the column titles). Each character of the
// delimiter set ends one field; the last field ends with the string.
//
// Plain C++ without Windows, so that it is tested natively and fuzzed. The
// host hands it its rows through the small GridRowList interface.
#include <set>
#include <string>
#include <utility>
#include <vector>

// The row strings a store edits, owned by the host.
class GridRowList {
public:
    virtual ~GridRowList() = default;
    virtual int Count() const = 0;
    virtual const std::string& Row(int nIndex) const = 0;
    // Stores text at nIndex, growing the list to nIndex + 1 strings when shorter.
    virtual void SetRow(int nIndex, const std::string& text) = 0;
    virtual void RemoveRow(int nIndex) = 0;
};

// Rows kept in a plain vector (tests, tools).
class GridVectorRows : public GridRowList {
public:
    std::vector<std::string> rows;

    int Count() const override { return static_cast<int>(rows.size()); }
    const std::string& Row(int nIndex) const override { return rows[nIndex]; }
    void SetRow(int nIndex, const std::string& text) override;
    void RemoveRow(int nIndex) override { rows.erase(rows.begin() + nIndex); }
};

// The characters that end a field when row text is read.
extern const char kGridDelimiters[];

class CGridData {
public:
    GridRowList* m_pRows = nullptr;
    int m_nRows = 0;
    int m_nColumns = 0;
    char m_chSeparator = '\t';
    const char* m_pszDelimiters = kGridDelimiters;
    int m_bModified = 0;

    // Rows below 2 count as 2 (row 1 then becomes an empty row), columns
    // below 1 as 1. Leaves m_bModified alone.
    void SetSize(int nRows, int nColumns);
    // m_nColumns - 1 separators: a row of empty cells.
    std::string EmptyRowText() const;
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nColumns; }

    // Field nColumn (from 1) of row nRow; empty for column 0, for a row
    // outside the list and for a field the row string does not have.
    std::string GetCellText(int nRow, int nColumn) const;
    // Replaces field nColumn of row nRow with text. With bRemoveField the
    // delimiter that ended the field goes too. A field the row does not have
    // yet is made by appending separators; removing one changes nothing.
    void SetCellText(int nRow, int nColumn, const std::string& text, bool bRemoveField = false);
    // True once SetCellText has given the cell text other than it held; the
    // marks move with the cells when rows or columns are removed.
    bool IsCellChanged(int nRow, int nColumn) const { return m_changedCells.count({ nRow, nColumn }) != 0; }

    void AddRow();
    void RemoveRow(int nRow);
    void AddColumn();
    void RemoveColumn(int nColumn);

private:
    bool IsDelimiter(char ch) const;
    // Start of field nColumn and the position of the character that ends it
    // (a delimiter or the end); false when the row has fewer fields, with
    // fieldCount set to the number it has.
    bool ScanField(const std::string& row, int nColumn, size_t& start, size_t& end, int& fieldCount) const;
    bool IsRow(int nRow) const { return m_pRows && nRow >= 0 && nRow < m_pRows->Count(); }
    // Forgets the changes of one row (or column) and moves those after it
    // back by one.
    void DropChangedLine(bool bRow, int nIndex);

    std::set<std::pair<int, int>> m_changedCells;  // row, column
};
