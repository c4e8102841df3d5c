#include "app/StartupCommand.h"

StartupAction ClassifyCommandLine(const char* pszText)
{
    if (pszText[0] == '\0')
        return StartupAction::NewDocument;
    bool isSwitch = (pszText[0] == '-' || pszText[0] == '/') && (pszText[1] == 'e' || pszText[1] == 'E');
    return isSwitch ? StartupAction::NewDocument : StartupAction::OpenFile;
}
