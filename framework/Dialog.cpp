#include "framework/Dialog.h"

#include <cstring>
#include <string>

#include "framework/DataExchange.h"
#include "framework/DialogColors.h"
#include "framework/Exception.h"
#include "framework/UiHooks.h"
#include "framework/WinApp.h"

// The colour messages all go to OnCtlColor, which is told which one came.
#define ON_CTLCOLOR(msg) \
    { (msg), 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { \
          return AFX_THIS(p)->OnCtlColor((msg), w, l); } },

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_CTLCOLOR(WM_CTLCOLORDLG)
    ON_CTLCOLOR(WM_CTLCOLORSTATIC)
    ON_CTLCOLOR(WM_CTLCOLORBTN)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParent) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParent)
{
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg != WM_INITDIALOG)
        return FALSE;
    // From here on the dialog's messages reach the object's window procedure
    // first; what it leaves goes on to the system's dialog procedure, which
    // calls this one again and so gets FALSE.
    CDialog* pDialog = reinterpret_cast<CDialog*>(lParam);
    pDialog->SubclassWindow(hWnd);
    try {
        return pDialog->OnInitDialog();
    } catch (...) {
        AfxReportCurrentException();
        pDialog->EndDialog(IDCANCEL);
        return TRUE;
    }
}

INT_PTR CDialog::DoModal()
{
    HWND hOwner = FindOwner();
    m_bEndModal = false;
    m_nModalResult = -1;
    HWND hWnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), hOwner,
                                   &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!hWnd)
        return -1;
    bool bEnableOwner = hOwner && ::IsWindowEnabled(hOwner);
    if (bEnableOwner)
        ::EnableWindow(hOwner, FALSE);
    if (!m_bEndModal) {
        ShowWindow(SW_SHOW);
        if (AfxGetUiHooks().dialogShown)
            AfxGetUiHooks().dialogShown(this);
    }
    RunModalLoop();
    // The owner is enabled before the dialog goes, so the activation returns to it.
    if (bEnableOwner) {
        ::EnableWindow(hOwner, TRUE);
        ::SetActiveWindow(hOwner);
    }
    DestroyWindow();
    return m_nModalResult;
}

// The top-level window of the given parent (or of the main window), then the
// popup it has active: disabling a child such as the view would leave the
// frame's menu live under the dialog.
HWND CDialog::FindOwner() const
{
    CWinApp* pApp = AfxGetApp();
    HWND hWnd = m_pParentWnd ? m_pParentWnd->m_hWnd : (pApp && pApp->m_pMainWnd ? pApp->m_pMainWnd->m_hWnd : nullptr);
    if (!hWnd)
        return nullptr;
    if (HWND hTop = ::GetAncestor(hWnd, GA_ROOT))
        hWnd = hTop;
    return ::GetLastActivePopup(hWnd);
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (!m_bEndModal) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT ends the dialog and goes back to the outer loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = IDCANCEL;
            break;
        }
        if (!WalkPreTranslateTree(m_hWnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEndModal = true;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    return IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException&) {
        return FALSE;
    }
    return TRUE;
}

// The dialog's initial-data resource: for each entry a control id, a message
// (the combo or list box "add string"), the byte length of the data and the
// text with its terminating zero; a control id of 0 ends the list.
void CDialog::ExecuteDlgInit()
{
    const WORD kDlgInitType = 240;
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    HRSRC hRes = FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(kDlgInitType));
    if (!hRes)
        return;
    const BYTE* p = static_cast<const BYTE*>(LockResource(LoadResource(hInst, hRes)));
    const BYTE* end = p + SizeofResource(hInst, hRes);
    while (p && p + 8 <= end) {
        WORD nIDC = *reinterpret_cast<const WORD*>(p);
        WORD nMsg = *reinterpret_cast<const WORD*>(p + 2);
        DWORD nLength = *reinterpret_cast<const DWORD*>(p + 4);
        p += 8;
        if (nIDC == 0 || p + nLength > end)
            break;
        // Older resources name the messages by their 16-bit numbers.
        UINT message = nMsg == 0x0403 ? CB_ADDSTRING : nMsg == 0x0401 ? LB_ADDSTRING : nMsg;
        std::string text(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), nLength));
        ::SendDlgItemMessageA(m_hWnd, nIDC, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
        p += nLength;
    }
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit();
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

LRESULT CDialog::OnCtlColor(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_hDlgBkBrush) {
        HBRUSH hBrush = AfxDialogCtlColor(nMessage, reinterpret_cast<HDC>(wParam), pApp->m_hDlgBkBrush,
                                          pApp->m_crDlgBk, pApp->m_crDlgText);
        if (hBrush)
            return reinterpret_cast<LRESULT>(hBrush);
    }
    return DefWindowProc(nMessage, wParam, lParam);
}
