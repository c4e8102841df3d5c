// The program's entry point: the one application object, constructed as a
// global by the program, is initialised and runs its message loop.
#include <windows.h>

#include "framework/CommandLine.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return 1;
    // The command line is taken whole from the system rather than from the C
    // runtime, which would already have split it; in UTF-16, so that a file
    // name outside the code page arrives whole.
    static const CString commandLine = AfxUtf8(GetCommandLineW());
    pApp->m_lpCmdLine = SkipProgramName(commandLine);
    pApp->m_nCmdShow = nCmdShow;
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
