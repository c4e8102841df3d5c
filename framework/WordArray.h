#pragma once
// CWordArray: a growable array of 16-bit unsigned values with a growth step.
#include <windows.h>

#include <vector>

class CWordArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    // Sets the number of elements; new ones are 0. nGrowBy < 0 keeps the step.
    void SetSize(int nNewSize, int nGrowBy = -1)
    {
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        m_items.resize(nNewSize > 0 ? nNewSize : 0);
    }
    WORD GetAt(int nIndex) const { return m_items[nIndex]; }
    WORD operator[](int nIndex) const { return m_items[nIndex]; }
    void SetAt(int nIndex, WORD value) { m_items[nIndex] = value; }
    // Stores value at nIndex, growing the array to nIndex + 1 if needed.
    void SetAtGrow(int nIndex, WORD value)
    {
        if (nIndex >= GetSize())
            SetSize(nIndex + 1);
        m_items[nIndex] = value;
    }

private:
    std::vector<WORD> m_items;
    int m_nGrowBy = 0;
};
