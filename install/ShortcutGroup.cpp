// The group as a Start Menu folder of shell shortcuts, for the shells whose
// Program Manager service does not answer (an elevated setup program on
// current Windows): the same folder and shortcuts the service would make.
#include "install/ShortcutGroup.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "install/Install.h"
#include "install/InstallHooks.h"

namespace {

using FolderPathCall = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
using SpecialFolderCall = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);

// A shell32 call looked up by name: SHGetFolderPathA came with Windows 2000
// and ME, and an import of it would keep the setup program from starting on
// the Windows before them.
template <class Call>
Call ShellCall(const char* name)
{
    // shell32 is one of the system's known libraries: its bare name never
    // loads a file of that name from elsewhere. It stays loaded for the shortcuts.
    HMODULE hShell = LoadLibraryA("shell32.dll");
    // Through void*: GCC warns of a direct cast between function types.
    return hShell ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(hShell, name))) : nullptr;
}

// The Programs folder given by csidl; empty when the system has none.
std::string ProgramsFolder(int csidl)
{
    char folder[MAX_PATH] = {};
    if (auto getFolderPath = ShellCall<FolderPathCall>("SHGetFolderPathA"))
        return SUCCEEDED(getFolderPath(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder)) ? folder : "";
    auto getSpecialFolder = ShellCall<SpecialFolderCall>("SHGetSpecialFolderPathA");
    return getSpecialFolder && getSpecialFolder(nullptr, folder, csidl, FALSE) ? folder : "";
}

// Where the group may go, in order. The all-users folder first: the files
// went into a folder of the whole machine, and an elevated setup program may
// run under an administrator's account whose own Start Menu the user never
// sees. The user's own folder when the all-users one cannot be written to.
std::vector<std::string> ProgramsFolders()
{
    if (!InstallGetHooks().programsFolders.empty())
        return InstallGetHooks().programsFolders;
    return { ProgramsFolder(CSIDL_COMMON_PROGRAMS), ProgramsFolder(CSIDL_PROGRAMS) };
}

// The group's folder in programs, made when missing; empty when there is
// no such folder and none can be made.
std::string GroupFolder(const std::string& programs)
{
    if (programs.empty())
        return "";
    std::string folder = WithBackslash(programs) + kGroupName;
    CreateDirectoryA(folder.c_str(), nullptr);
    DWORD attributes = GetFileAttributesA(folder.c_str());
    bool bFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return bFolder ? folder : "";
}

// Saves a shortcut at linkPath to the item's installed file, started in the target folder.
bool SaveShortcut(const std::string& linkPath, const ProgramItem& item)
{
    std::wstring wideLink(linkPath.size() + 1, L'\0');
    if (!MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, &wideLink[0], static_cast<int>(wideLink.size())))
        return false;
    IShellLinkA* pLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&pLink))))
        return false;
    IPersistFile* pFile = nullptr;
    std::string target = g_szTarget + item.fileName;
    bool bSaved = SUCCEEDED(pLink->SetPath(target.c_str()))
        && SUCCEEDED(pLink->SetWorkingDirectory(NormaliseTarget(g_szTarget).c_str()))
        && SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))
        && SUCCEEDED(pFile->Save(wideLink.c_str(), TRUE));
    if (pFile)
        pFile->Release();
    pLink->Release();
    return bSaved;
}

bool MakeShortcutsIn(const std::string& programs, const std::vector<ProgramItem>& items)
{
    std::string folder = GroupFolder(programs);
    if (folder.empty())
        return false;
    for (const ProgramItem& item : items) {
        std::string link = folder + "\\" + item.title + ".lnk";
        if (link.size() >= MAX_PATH || !SaveShortcut(link, item))
            return false;
    }
    return true;
}

}  // namespace

bool MakeShortcutGroup(const std::vector<ProgramItem>& items)
{
    // COM is released again only when this call was what started it.
    HRESULT hrCom = CoInitialize(nullptr);
    bool bMade = false;
    for (const std::string& programs : ProgramsFolders()) {
        bMade = MakeShortcutsIn(programs, items);
        if (bMade)
            break;
    }
    if (SUCCEEDED(hrCom))
        CoUninitialize();
    return bMade;
}
