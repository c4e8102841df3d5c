#pragma once
// CPlorApp: the application object. InitInstance sets up the framework's
// services and starts with an empty graph or the file named on the command line.
#include "framework/WinApp.h"

class CPlorApp : public CWinApp {
public:
    CPlorApp() = default;
    BOOL InitInstance() override;

protected:
    void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};
