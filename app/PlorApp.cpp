#include "app/PlorApp.h"

#include "app/AboutDlg.h"
#include "app/MainFrm.h"
#include "app/StartupCommand.h"
#include "app/resource.h"
#include "document/PlorDoc.h"
#include "framework/DocTemplate.h"
#include "framework/FrameworkIds.h"
#include "graph/PlorView.h"

BEGIN_MESSAGE_MAP(CPlorApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

BOOL CPlorApp::InitInstance()
{
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    // The HTML Help file's pages, named by the help source's chapter keywords.
    m_htmlHelpPages[AFX_HID_BASE_RESOURCE + IDR_MAINFRAME] = "start.html";
    m_strUsingHelpPage = "usinghelp.html";
    // A standard user cannot write the Windows folder: the settings live in
    // the user's own folder.
    SetUserProfileFolder("Plotra");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPlorDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CPlorView)));
    EnableShellOpen();
    RegisterShellFileTypes(FALSE);

    if (ClassifyCommandLine(m_lpCmdLine) == StartupAction::NewDocument)
        OnFileNew();
    else
        OpenDocumentFile(m_lpCmdLine);
    return TRUE;
}

void CPlorApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
