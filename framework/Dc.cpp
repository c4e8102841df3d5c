#include "framework/Dc.h"

#include "framework/Wnd.h"

CDC::~CDC()
{
    if (m_bOwned && m_hDC)
        ::DeleteDC(m_hDC);
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    HDC hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    if (!hDC)
        return FALSE;
    Attach(hDC);
    m_bOwned = true;
    return TRUE;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (m_hAttribDC && m_hAttribDC != m_hDC && GetObjectType(hObject) == OBJ_FONT)
        ::SelectObject(m_hAttribDC, hObject);
    return ::SelectObject(m_hDC, hObject);
}

int CDC::SetMapMode(int nMode)
{
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SetMapMode(m_hAttribDC, nMode);
    return ::SetMapMode(m_hDC, nMode);
}

SIZE CDC::SetWindowExt(int cx, int cy)
{
    SIZE old = {};
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SetWindowExtEx(m_hAttribDC, cx, cy, nullptr);
    ::SetWindowExtEx(m_hDC, cx, cy, &old);
    return old;
}

SIZE CDC::SetViewportExt(int cx, int cy)
{
    SIZE old = {};
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SetViewportExtEx(m_hAttribDC, cx, cy, nullptr);
    ::SetViewportExtEx(m_hDC, cx, cy, &old);
    return old;
}

POINT CDC::SetWindowOrg(int x, int y)
{
    POINT old = {};
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SetWindowOrgEx(m_hAttribDC, x, y, nullptr);
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

POINT CDC::SetViewportOrg(int x, int y)
{
    POINT old = {};
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SetViewportOrgEx(m_hAttribDC, x, y, nullptr);
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

SIZE CDC::GetTextExtent(const CString& text) const
{
    SIZE size = {};
    ::GetTextExtentPoint32A(m_hAttribDC, text, text.GetLength(), &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
    Detach();
}
