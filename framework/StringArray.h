#pragma once
// CStringArray: a growable array of CString with a growth step, as the document
// keeps its data lines.
#include <vector>

#include "framework/String.h"

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetUpperBound() const { return GetSize() - 1; }
    // Sets the number of elements; new ones are empty. nGrowBy < 0 keeps the step.
    void SetSize(int nNewSize, int nGrowBy = -1);
    int GetGrowBy() const { return m_nGrowBy; }

    CString& operator[](int nIndex) { return m_items[nIndex]; }
    const CString& operator[](int nIndex) const { return m_items[nIndex]; }
    const CString& GetAt(int nIndex) const { return m_items[nIndex]; }
    void SetAt(int nIndex, const CString& value) { m_items[nIndex] = value; }
    // Stores value at nIndex, growing the array to nIndex + 1 if needed.
    void SetAtGrow(int nIndex, const CString& value);
    int Add(const CString& value);
    void InsertAt(int nIndex, const CString& value, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void RemoveAll() { m_items.clear(); }

private:
    void Reserve(size_t needed);

    std::vector<CString> m_items;
    int m_nGrowBy = 0;
};
