#include "app/AboutDlg.h"

#include "app/resource.h"
#include "framework/Dc.h"
#include "framework/Gdi.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The placeholder only marks the logo's place; it would paint over it.
    HWND hPlaceholder = GetDlgItem(IDC_LOGO_PLACEHOLDER);
    ::GetWindowRect(hPlaceholder, &m_rcLogo);
    ::DestroyWindow(hPlaceholder);
    ScreenToClient(&m_rcLogo);
    return TRUE;
}

void CAboutDlg::OnPaint()
{
    CPaintDC dc(this);
    CDC memDC;
    CBitmap logo;
    if (!memDC.CreateCompatibleDC(&dc) || !logo.LoadBitmap(IDB_LOGO_NAME))
        return;
    HGDIOBJ hOld = memDC.SelectObject(logo);
    BITMAP bm;
    logo.GetBitmap(&bm);
    int x = (m_rcLogo.left + m_rcLogo.right - bm.bmWidth) / 2;
    int y = (m_rcLogo.top + m_rcLogo.bottom - bm.bmHeight) / 2;
    dc.BitBlt(x, y, bm.bmWidth, bm.bmHeight, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(hOld);
}
