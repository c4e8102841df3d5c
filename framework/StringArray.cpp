#include "framework/StringArray.h"

void CStringArray::Reserve(size_t needed)
{
    if (needed <= m_items.capacity())
        return;
    // Grow in the array's own steps so a long run of SetAtGrow stays linear.
    size_t step = m_nGrowBy > 0 ? static_cast<size_t>(m_nGrowBy) : 0;
    size_t doubled = m_items.capacity() * 2;
    size_t target = needed + step;
    m_items.reserve(target > doubled ? target : doubled);
}

void CStringArray::SetSize(int nNewSize, int nGrowBy)
{
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize < 0)
        nNewSize = 0;
    Reserve(nNewSize);
    m_items.resize(nNewSize);
}

void CStringArray::SetAtGrow(int nIndex, const CString& value)
{
    if (nIndex >= GetSize())
        SetSize(nIndex + 1);
    m_items[nIndex] = value;
}

int CStringArray::Add(const CString& value)
{
    SetAtGrow(GetSize(), value);
    return GetUpperBound();
}

void CStringArray::InsertAt(int nIndex, const CString& value, int nCount)
{
    if (nIndex > GetSize())
        SetSize(nIndex);
    Reserve(m_items.size() + nCount);
    m_items.insert(m_items.begin() + nIndex, nCount, value);
}

void CStringArray::RemoveAt(int nIndex, int nCount)
{
    m_items.erase(m_items.begin() + nIndex, m_items.begin() + nIndex + nCount);
}
