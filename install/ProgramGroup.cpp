// The Start Menu group: asked of the shell's own service first, made as a
// folder of shortcuts when that cannot be had; and the help file that the
// group's help item opens on this system.
#include "install/ProgramGroup.h"

#include <string>
#include <vector>

#include "install/DdeConversation.h"
#include "install/Install.h"
#include "install/InstallHooks.h"
#include "install/ShortcutGroup.h"

namespace {

// Loads a library of the system folder by its full path: by its bare name
// it would be looked for first beside this program, on the install disk or
// in a download folder, where anyone may have left one of that name.
HMODULE LoadSystemLibrary(const char* name)
{
    std::string folder = WindowsFolder(GetSystemDirectoryA);
    return folder.empty() ? nullptr : LoadLibraryA((WithBackslash(folder) + name).c_str());
}

}  // namespace

std::string WindowsFolder(UINT(WINAPI* getFolder)(LPSTR, UINT))
{
    char folder[MAX_PATH];
    UINT length = getFolder(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

bool HasHtmlHelp()
{
    if (InstallGetHooks().hasHtmlHelp)
        return InstallGetHooks().hasHtmlHelp();
    HMODULE hControl = LoadSystemLibrary("hhctrl.ocx");
    bool bViewer = hControl && GetProcAddress(hControl, "HtmlHelpA");
    // Without its HTML engine (Wine without Gecko) the viewer shows an empty window.
    HMODULE hEngine = bViewer ? LoadSystemLibrary("mshtml.dll") : nullptr;
    bool bEngine = hEngine != nullptr;
    if (hEngine)
        FreeLibrary(hEngine);
    if (hControl)
        FreeLibrary(hControl);
    return bEngine;
}

bool AddProgramItems()
{
    std::vector<ProgramItem> items = ProgramItems(HasHtmlHelp());
    const char* ddeFailure = MakeGroupByDde(items);
    // The shortcuts are the same group: when they stand in for the service,
    // the user is told nothing of the service that did not answer.
    if (!ddeFailure || MakeShortcutGroup(items))
        return true;
    InstallMessageBox(nullptr, ddeFailure, "DDE Error", MB_OK | MB_ICONEXCLAMATION);
    return false;
}
