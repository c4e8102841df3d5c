// libFuzzer target: random bytes as row strings and a random run of cell
// store operations. The store must never read or write outside a row string
// or the row list, and its counts and fields must stay consistent.
#include <cstddef>
#include <cstdint>
#include <string>

#include "grid/GridData.h"

namespace {

int FieldCount(const CGridData& data, const std::string& row)
{
    int n = 1;
    for (char ch : row)
        n += ch != '\0' && std::string(data.m_pszDelimiters).find(ch) != std::string::npos;
    return n;
}

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // Byte 0: rows asked for, byte 1: columns; then rows up to a 0xFF byte,
    // split at 0xFE; the rest drives the operations.
    GridVectorRows rows;
    std::size_t pos = 2;
    std::string row;
    for (; pos < size && data[pos] != 0xFF; ++pos) {
        if (data[pos] == 0xFE) {
            rows.rows.push_back(row);
            row.clear();
        } else {
            row += static_cast<char>(data[pos]);
        }
    }
    rows.rows.push_back(row);
    while (rows.rows.size() < 2)
        rows.rows.push_back(std::string());
    CGridData store;
    store.m_pRows = &rows;
    int nRows = data[0] % 8;
    store.SetSize(nRows > rows.Count() ? rows.Count() : nRows, data[1] % 6);
    for (++pos; pos + 2 < size; pos += 3) {
        int r = data[pos + 1] % (store.m_nRows + 2) - 1;
        int c = data[pos + 2] % (store.m_nColumns + 2) - 1;
        int before = store.m_nRows;
        switch (data[pos] % 6) {
        case 0: {
            std::string text(1 + data[pos] % 3, static_cast<char>('0' + data[pos + 2] % 10));
            store.SetCellText(r, c, text, false);
            if (r >= 0 && r < rows.Count() && c >= 1)
                Check(store.GetCellText(r, c) == text);
            break;
        }
        case 1:
            if (r >= 0 && r < rows.Count() && c >= 1) {
                int fields = FieldCount(store, rows.rows[r]);
                store.SetCellText(r, c, std::string(), true);
                // A removed last field leaves the delimiter before it: one empty field.
                Check(FieldCount(store, rows.rows[r]) == (c < fields ? fields - 1 : fields));
            }
            break;
        case 2:
            store.AddRow();
            Check(store.m_nRows == before + 1 && rows.Count() >= store.m_nRows);
            break;
        case 3:
            store.RemoveRow(r);
            Check(store.m_nRows >= 2);
            break;
        case 4:
            store.AddColumn();
            break;
        default:
            store.RemoveColumn(c);
            Check(store.m_nColumns >= 1);
            break;
        }
        for (int i = 0; i <= store.m_nColumns + 1; ++i) {
            std::string text = store.GetCellText(r, i);
            for (char ch : text)
                Check(ch == '\0' || std::string(store.m_pszDelimiters).find(ch) == std::string::npos);
        }
    }
    return 0;
}
