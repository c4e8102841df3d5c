#pragma once
// CMetaRecordWriter: writes enhanced-metafile drawing records straight into
// memory, the records GDI's metafile context writes for the same calls, at a
// fraction of the cost of a call each. Without an output it only counts the
// bytes and records, so a run can be measured before its memory is taken.
// Either way it keeps the run's bounds in logical units the way the metafile
// context keeps them: a line piece from the current position to its end, a
// box as recorded.
#include <windows.h>

#include <cstddef>

class CMetaRecordWriter {
public:
    // pOut null: measure only; otherwise nothing is written past nCapacity
    // bytes. bInclusiveBoxes: the context's compatible graphics mode, in
    // which boxes are recorded with right and bottom one less than passed.
    CMetaRecordWriter(BYTE* pOut, std::size_t nCapacity, bool bInclusiveBoxes)
        : m_pOut(pOut), m_nCapacity(nCapacity), m_bInclusiveBoxes(bInclusiveBoxes)
    {
    }

    void MoveTo(int x, int y)
    {
        Put(EMR_MOVETOEX, x, y);
        m_pos = { x, y };
        m_bMoved = true;
    }
    void LineTo(int x, int y)
    {
        Put(EMR_LINETO, x, y);
        AddBounds(m_pos.x, m_pos.y, x, y);
        m_pos = { x, y };
        m_bMoved = true;
    }
    void Rectangle(int x1, int y1, int x2, int y2) { PutBox(EMR_RECTANGLE, x1, y1, x2, y2); }
    void Ellipse(int x1, int y1, int x2, int y2) { PutBox(EMR_ELLIPSE, x1, y1, x2, y2); }
    void SelectObject(DWORD index)
    {
        const DWORD record[3] = { EMR_SELECTOBJECT, 3 * sizeof(DWORD), index };
        Put(record);
    }
    // A pen at a handle index the metafile does not use otherwise.
    void CreatePen(DWORD index, UINT style, int width, COLORREF color)
    {
        const DWORD record[7] = { EMR_CREATEPEN, 7 * sizeof(DWORD), index, style, static_cast<DWORD>(width), 0, color };
        Put(record);
    }

    std::size_t Bytes() const { return m_nBytes; }
    // More was to be written than there was room for.
    bool Overflowed() const { return m_bOverflow; }
    DWORD Records() const { return m_nRecords; }
    // left > right while nothing was drawn.
    const RECTL& Bounds() const { return m_bounds; }
    // Where the records leave the current position, if they move it.
    bool Moved() const { return m_bMoved; }
    POINT Position() const { return m_pos; }

private:
    template <std::size_t N>
    void Put(const DWORD (&record)[N])
    {
        if (m_pOut) {
            if (m_nCapacity - m_nBytes < sizeof record) {
                m_bOverflow = true;
                return;
            }
            CopyMemory(m_pOut + m_nBytes, record, sizeof record);
        }
        m_nBytes += sizeof record;
        ++m_nRecords;
    }
    void Put(DWORD type, int x, int y)
    {
        const DWORD record[] = { type, 16, static_cast<DWORD>(x), static_cast<DWORD>(y) };
        Put(record);
    }
    // GDI draws and records nothing for an empty box.
    void PutBox(DWORD type, int x1, int y1, int x2, int y2)
    {
        if (x1 == x2 || y1 == y2)
            return;
        int left = x1 < x2 ? x1 : x2;
        int top = y1 < y2 ? y1 : y2;
        int right = x1 < x2 ? x2 : x1;
        int bottom = y1 < y2 ? y2 : y1;
        if (m_bInclusiveBoxes) {
            --right;
            --bottom;
        }
        const DWORD record[] = { type, 24, static_cast<DWORD>(left), static_cast<DWORD>(top),
                                 static_cast<DWORD>(right), static_cast<DWORD>(bottom) };
        Put(record);
        AddBounds(left, top, right, bottom);
    }
    void AddBounds(int x1, int y1, int x2, int y2)
    {
        int left = x1 < x2 ? x1 : x2;
        int right = x1 < x2 ? x2 : x1;
        int top = y1 < y2 ? y1 : y2;
        int bottom = y1 < y2 ? y2 : y1;
        if (m_bounds.left > m_bounds.right) {
            m_bounds = { left, top, right, bottom };
            return;
        }
        if (left < m_bounds.left)
            m_bounds.left = left;
        if (top < m_bounds.top)
            m_bounds.top = top;
        if (right > m_bounds.right)
            m_bounds.right = right;
        if (bottom > m_bounds.bottom)
            m_bounds.bottom = bottom;
    }

    BYTE* m_pOut;
    std::size_t m_nCapacity;
    bool m_bInclusiveBoxes;
    bool m_bOverflow = false;
    std::size_t m_nBytes = 0;
    DWORD m_nRecords = 0;
    POINT m_pos = {};
    bool m_bMoved = false;
    RECTL m_bounds = { 0, 0, -1, -1 };
};
