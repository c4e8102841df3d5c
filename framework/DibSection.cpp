#include "framework/DibSection.h"

#include <cstring>

CDibSection::~CDibSection()
{
    if (m_hOldBitmap)
        ::SelectObject(m_dc.m_hDC, m_hOldBitmap);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
}

BOOL CDibSection::Create(int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0 || !m_dc.CreateCompatibleDC(nullptr))
        return FALSE;
    // Rows are padded to whole 32-bit words; the whole must fit one block.
    const ULONGLONG stride = (static_cast<ULONGLONG>(nWidth) * 3 + 3) & ~3ull;
    if (stride * static_cast<ULONGLONG>(nHeight) > MAXDWORD - sizeof m_header)
        return FALSE;
    m_header.biSize = sizeof m_header;
    m_header.biWidth = nWidth;
    m_header.biHeight = nHeight;
    m_header.biPlanes = 1;
    m_header.biBitCount = 24;
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = static_cast<DWORD>(stride * static_cast<ULONGLONG>(nHeight));
    // The screen's resolution, for programs that size a pasted picture by it.
    m_header.biXPelsPerMeter = MulDiv(m_dc.GetDeviceCaps(LOGPIXELSX), 10000, 254);
    m_header.biYPelsPerMeter = MulDiv(m_dc.GetDeviceCaps(LOGPIXELSY), 10000, 254);
    BITMAPINFO info = {};
    info.bmiHeader = m_header;
    m_hBitmap = ::CreateDIBSection(m_dc.m_hDC, &info, DIB_RGB_COLORS, &m_pBits, nullptr, 0);
    if (!m_hBitmap)
        return FALSE;
    m_hOldBitmap = ::SelectObject(m_dc.m_hDC, m_hBitmap);
    return TRUE;
}

HGLOBAL CDibSection::CopyPacked() const
{
    if (!m_pBits)
        return nullptr;
    // GDI may still hold drawing calls back.
    GdiFlush();
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, sizeof m_header + m_header.biSizeImage);
    char* p = hBlock ? static_cast<char*>(GlobalLock(hBlock)) : nullptr;
    if (!p) {
        if (hBlock)
            GlobalFree(hBlock);
        return nullptr;
    }
    memcpy(p, &m_header, sizeof m_header);
    memcpy(p + sizeof m_header, m_pBits, m_header.biSizeImage);
    GlobalUnlock(hBlock);
    return hBlock;
}
