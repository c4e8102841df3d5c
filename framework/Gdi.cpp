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
