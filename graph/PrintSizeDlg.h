#pragma once
// CPrintSizeDlg: "Printed Graph Size", the width (3 to 10 inches) and height
// (2 to 10 inches) of the printed graph, as positions in its two lists.
#include "framework/Dialog.h"

class CPrintSizeDlg : public CDialog {
public:
    explicit CPrintSizeDlg(CWnd* pParent = nullptr);

    int m_nHeightIndex;
    int m_nWidthIndex;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
