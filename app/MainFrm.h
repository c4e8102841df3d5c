#pragma once
// CMainFrame: the program's main window: no toolbar, no status bar; it accepts
// data files dropped from the shell and offers the help commands.
#include "framework/FrameWnd.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame() = default;

protected:
    int OnCreate(LPCREATESTRUCTA lpcs);

    DECLARE_MESSAGE_MAP()
};
