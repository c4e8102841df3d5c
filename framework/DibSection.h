#pragma once
// CDibSection: a picture in memory of 24 bits per pixel, bottom row first,
// with a memory device context selected onto it for drawing. When the
// drawing is done, CopyPacked hands out the picture in the clipboard's
// device-independent bitmap layout (CF_DIB): the header, then the rows.
#include <windows.h>

#include "framework/Dc.h"

class CDibSection {
public:
    CDibSection() = default;
    ~CDibSection();
    CDibSection(const CDibSection&) = delete;
    CDibSection& operator=(const CDibSection&) = delete;

    // FALSE when the size is empty or there is no memory for it.
    BOOL Create(int nWidth, int nHeight);
    CDC& GetDC() { return m_dc; }
    // The header and the pixels in one movable global block; null when out
    // of memory. The caller owns the block.
    HGLOBAL CopyPacked() const;

private:
    BITMAPINFOHEADER m_header = {};
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    void* m_pBits = nullptr;
    CDC m_dc;
};
