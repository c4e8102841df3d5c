#pragma once
// CWinApp: the application object. It runs the message loop, owns the document
// template and the recent-file list, keeps the private profile, shows every
// message box of the program and handles the application-wide commands (File
// New, Open, Print Setup, the recent files, Exit).
#include <windows.h>

#include <map>
#include <memory>

#include "framework/CmdTarget.h"
#include "framework/String.h"

class CCmdUI;
class CDocument;
class CRecentFileList;
class CSingleDocTemplate;
class CWnd;

class CWinApp : public CCmdTarget {
public:
    // With no name the title comes from string AFX_IDS_APP_TITLE.
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // The message loop; returns the exit code. Ends at once without a main window.
    virtual int Run();
    virtual int ExitInstance();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // The one message box of the program: caption m_pszAppName unless another
    // is given, owner hOwner or else the active window of the program. Tests
    // answer it through AfxGetUiHooks.
    virtual int DoMessageBox(const char* pszText, UINT nType, const char* pszCaption = nullptr, HWND hOwner = nullptr);
    // The wait cursor shows over the program's windows while more waits have
    // begun than ended (a message box puts it aside while it is up).
    void BeginWaitCursor();
    void EndWaitCursor();
    int m_nWaitCursorCount = 0;

    // Opens a file as File Open would (quotes stripped, path made absolute).
    virtual CDocument* OpenDocumentFile(const char* pszFileName);
    void AddToRecentFileList(const char* pszPathName);
    // Asks for a file name with the common dialog and the template's filter.
    BOOL DoPromptFileName(CString& fileName, BOOL bOpen);
    BOOL SaveAllModified();
    // Help for a WinHelp command (HELP_FINDER, HELP_HELPONHELP, HELP_CONTEXT):
    // in the HTML Help file where the system shows one and the file is there,
    // else in the WinHelp file.
    void WinHelp(ULONG_PTR dwData, UINT nCmd);
    // Closes the WinHelp viewer this program opened, which outlives it
    // unless told; before the main window goes.
    void CloseWinHelp();

    // The printer chosen in Print Setup or the print dialog, as copies the
    // caller owns (null when none was chosen: the default printer is meant).
    HGLOBAL CopyDevMode() const;
    HGLOBAL CopyDevNames() const;
    // Makes hDevNames and hDevMode the chosen printer; the application
    // takes them over and frees the ones it had.
    void SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode);
    // A context on the chosen printer; null when none was chosen or it
    // cannot be had.
    HDC CreateChosenPrinterDC() const;

    // Start-up services used by InitInstance.
    void SetDialogBkColor(COLORREF clrCtlBk, COLORREF clrCtlText);
    void LoadStdProfileSettings(UINT nMaxMRU);
    void AddDocTemplate(CSingleDocTemplate* pTemplate);
    void EnableShellOpen();
    // Registers the template's file type with the shell. bCompat would add the
    // print commands, the default icon and the ShellNew entry; the program
    // passes FALSE and this layer registers only the open command.
    void RegisterShellFileTypes(BOOL bCompat);

    // Moves the private profile to the user's application-data folder, into
    // the named folder there (created when missing): the program's name with
    // ".ini". On the first start without that file, the sections this layer
    // keeps are taken over from the profile used until then. Where the
    // system names no such folder, the profile stays where it is.
    void SetUserProfileFolder(const char* pszFolder);
    // Private profile (an .INI file named after the program: in the Windows
    // folder unless SetUserProfileFolder moved it).
    CString GetProfileString(const char* pszSection, const char* pszEntry, const char* pszDefault = "") const;
    BOOL WriteProfileString(const char* pszSection, const char* pszEntry, const char* pszValue) const;
    UINT GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) const;
    BOOL WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue) const;

    // Command handlers the program's map may route to.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    // Dialog colours set by SetDialogBkColor; null brush when not set.
    HBRUSH m_hDlgBkBrush = nullptr;
    COLORREF m_crDlgText = 0;
    COLORREF m_crDlgBk = 0;

    CString m_strAppName;        // the title: captions of the main window and message boxes
    const char* m_pszAppName;    // m_strAppName's text
    CString m_strExeName;        // module file name without folder and extension
    CString m_strHelpFilePath;   // module path with the extension .HLP
    CString m_strHtmlHelpFilePath;  // module path with the extension .chm
    // The HTML Help pages that stand for WinHelp's contexts, and the page
    // Using Help opens (HTML Help has no help on itself); without a page the
    // help file opens on its contents.
    std::map<ULONG_PTR, CString> m_htmlHelpPages;
    CString m_strUsingHelpPage;
    CString m_strProfileName;    // m_strExeName + ".INI", or the full path of the user's profile
    const char* m_lpCmdLine = "";  // text after the program name
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    CSingleDocTemplate* m_pDocTemplate = nullptr;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    UINT m_nNumPreviewPages = 0;
    ATOM m_atomApp = 0;          // DDE service name, when shell open is enabled
    ATOM m_atomSystemTopic = 0;  // DDE topic "system"
    HGLOBAL m_hDevMode = nullptr;   // the chosen printer's settings, or null
    HGLOBAL m_hDevNames = nullptr;  // the chosen printer's names, or null

private:
    bool UsesHtmlHelp() const;
    bool ShowHtmlHelp(ULONG_PTR dwData, UINT nCmd);
    void CallWinHelp(ULONG_PTR dwData, UINT nCmd);

    bool m_bWinHelpShown = false;
    int ShowMessageBox(const char* pszText, UINT nType, const char* pszCaption, HWND hOwner);

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
int AfxMessageBox(const char* pszText, UINT nType = MB_OK);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);
// A message box with its own caption, owned by hOwner.
int AfxMessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType);
