#pragma once
// Owners of GDI objects: each wrapper deletes its object when it goes out of
// scope, so no pen, brush, font, bitmap or region outlives the call that made it.
// The wrappers are one small family, kept in one header.
#include <windows.h>

class CGdiObject {
public:
    CGdiObject() = default;
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL DeleteObject();

protected:
    BOOL Attach(HGDIOBJ hObject);
};

class CPen : public CGdiObject {
public:
    BOOL CreatePen(int nStyle, int nWidth, COLORREF color) { return Attach(::CreatePen(nStyle, nWidth, color)); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
public:
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTA* pLogFont) { return Attach(::CreateFontIndirectA(pLogFont)); }
    // A font of nPointSize tenths of a point on hDC (the screen when null).
    BOOL CreatePointFont(int nPointSize, const char* pszFaceName, HDC hDC = nullptr);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
    BOOL LoadBitmap(const char* pszResourceName);
    int GetBitmap(BITMAP* pBitmap) const { return ::GetObjectA(m_hObject, sizeof(BITMAP), pBitmap); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};
