#pragma once
// CAboutDlg: the About box, with the program's logo centred where the
// placeholder control of the dialog template was.
#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    // Where the placeholder was, in the dialog's client coordinates.
    RECT m_rcLogo = {};

protected:
    BOOL OnInitDialog() override;
    void OnPaint();

    DECLARE_MESSAGE_MAP()
};
