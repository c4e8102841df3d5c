#pragma once
// CDialog: a modal dialog from a dialog resource, run by the framework's own
// modal loop so that PreTranslateMessage sees every message. Controls are
// filled and read through DoDataExchange. Dialogs paint in the application's
// dialog colours.
#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParent = nullptr);

    // Shows the dialog and returns the id it was ended with (IDOK, IDCANCEL),
    // or -1 if it could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    // Moves data between members and controls: TRUE reads the controls.
    // FALSE when a check failed (the user has been told).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    UINT m_nIDTemplate;

protected:
    // Fills the controls from the initial-data resource and the members.
    virtual BOOL OnInitDialog();
    void ExecuteDlgInit();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT OnCtlColor(UINT nMessage, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND FindOwner() const;
    void RunModalLoop();

    CWnd* m_pParentWnd;
    bool m_bEndModal = false;
    int m_nModalResult = -1;

    DECLARE_MESSAGE_MAP()
};
