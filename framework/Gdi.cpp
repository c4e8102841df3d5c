#include "framework/Gdi.h"

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    BOOL ok = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return ok;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    DeleteObject();
    m_hObject = hObject;
    return hObject != nullptr;
}

BOOL CBitmap::LoadBitmap(const char* pszResourceName)
{
    return Attach(::LoadBitmapA(GetModuleHandleA(nullptr), pszResourceName));
}

BOOL CFont::CreatePointFont(int nPointSize, const char* pszFaceName, HDC hDC)
{
    HDC hScreen = hDC ? nullptr : ::GetDC(nullptr);
    HDC hUse = hDC ? hDC : hScreen;
    LOGFONTA lf = {};
    // Tenths of a point to device pixels, rounded, as a negative character height.
    lf.lfHeight = -MulDiv(nPointSize, ::GetDeviceCaps(hUse, LOGPIXELSY), 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, pszFaceName, LF_FACESIZE);
    if (hScreen)
        ::ReleaseDC(nullptr, hScreen);
    return CreateFontIndirect(&lf);
}
