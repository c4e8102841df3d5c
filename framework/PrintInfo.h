#pragma once
// CPrintInfo: one print job or preview as the view sees it: the print
// dialog's settings and the printer context it returned, the page range and
// whether this is a preview.
#include <windows.h>
#include <commdlg.h>

class CPrintDialog {
public:
    CPrintDialog();
    PRINTDLGA m_pd;
};

class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    CPrintDialog* m_pPD;
    BOOL m_bPreview = FALSE;
    UINT m_nCurPage = 1;
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 1;
    // File the print goes to instead of the printer's port, when set.
    const char* m_pszOutput = nullptr;
};
