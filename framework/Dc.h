#pragma once
// CDC: a device context. Drawing goes to m_hDC; questions about the device
// (metrics, text extents) go to m_hAttribDC, which differs from m_hDC only for
// metafiles and print preview. IsPrinting tells printer and preview contexts
// from the screen.
#include <windows.h>

#include "framework/String.h"

class CWnd;

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    BOOL IsPrinting() const { return m_bPrinting; }
    // Takes an existing context (not owned) for both roles.
    void Attach(HDC hDC) { m_hDC = m_hAttribDC = hDC; }
    void Detach() { m_hDC = m_hAttribDC = nullptr; }
    // A memory context compatible with pDC, owned by this object.
    BOOL CreateCompatibleDC(CDC* pDC);

    // Fonts go into the attribute context too, so text is measured in the
    // font it is drawn with.
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    int SelectClipRgn(HRGN hRgn) { return ::SelectClipRgn(m_hDC, hRgn); }
    int ExtSelectClipRgn(HRGN hRgn, int nMode) { return ::ExtSelectClipRgn(m_hDC, hRgn, nMode); }
    // 1 when a clip region is selected (copied into hRgn), 0 when none.
    int GetClipRgn(HRGN hRgn) const { return ::GetClipRgn(m_hDC, hRgn); }

    // The mapping is set on both contexts; the preview's context scales the
    // viewport of its drawing context to the page on the screen.
    int SetMapMode(int nMode);
    SIZE SetWindowExt(int cx, int cy);
    virtual SIZE SetViewportExt(int cx, int cy);
    POINT SetWindowOrg(int x, int y);
    virtual POINT SetViewportOrg(int x, int y);
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    BOOL TextOut(int x, int y, const CString& text) { return ::TextOutA(m_hDC, x, y, text, text.GetLength()); }
    SIZE GetTextExtent(const CString& text) const;
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
    // Converts a rectangle from logical to device units, as a clip region
    // needs it. The preview's context converts through its own drawing
    // context, every other through the attribute context.
    virtual void LogicalToDevice(RECT* pRect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<POINT*>(pRect), 2); }
    BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL ExtTextOut(int x, int y, UINT nOptions, const RECT* pRect, const CString& text)
    {
        return ::ExtTextOutA(m_hDC, x, y, nOptions, pRect, text, text.GetLength(), nullptr);
    }
    BOOL PatBlt(int x, int y, int cx, int cy, DWORD rop) { return ::PatBlt(m_hDC, x, y, cx, cy, rop); }
    BOOL InvertRect(const RECT* pRect) { return ::InvertRect(m_hDC, pRect); }
    BOOL DrawEdge(RECT* pRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, pRect, nEdge, nFlags); }
    BOOL GetTextMetrics(TEXTMETRICA* pMetrics) const { return ::GetTextMetricsA(m_hAttribDC, pMetrics); }
    BOOL BitBlt(int x, int y, int cx, int cy, CDC* pSrc, int xSrc, int ySrc, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, cx, cy, pSrc->m_hDC, xSrc, ySrc, rop);
    }

protected:
    bool m_bOwned = false;
};

// The client area's context of a window, for drawing outside WM_PAINT.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

// The context of one WM_PAINT, between BeginPaint and EndPaint.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};
