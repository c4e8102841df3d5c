#include "install/DdeConversation.h"

#include <vector>

#include "install/Install.h"
#include "install/InstallHooks.h"
#include "install/InstallRules.h"
#include "install/ProgramGroup.h"

DWORD g_ddeInstance = 0;

namespace {

const char* const kProgMan = "PROGMAN";
const DWORD kExecuteTimeoutMs = 5000;
const DWORD kStartTimeoutMs = 10000;

// The full path of the Program Manager: in the system folder (Windows NT)
// or else the Windows folder (Windows 95). Started by its bare name, it would
// be looked for first in this program's folder and in the current one, where
// anyone may have left a program of that name. Empty when there is none.
std::string ProgManPath()
{
    std::vector<std::string> folders = { InstallGetHooks().progManFolder };
    if (folders[0].empty())
        folders = { WindowsFolder(GetSystemDirectoryA), WindowsFolder(GetWindowsDirectoryA) };
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        std::string path = WithBackslash(folder) + "PROGMAN.EXE";
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return path;
    }
    return "";
}

// Starts the program with its window hidden and waits until it is idle. It
// gets the system's default error mode, not the one this program set for
// its drive queries.
void StartHidden(const std::string& program)
{
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE,
                        nullptr, nullptr, &si, &pi))
        return;
    WaitForInputIdle(pi.hProcess, kStartTimeoutMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// Sends the group command and the item commands; the message for the first
// one refused, or nullptr when the shell carried them all out.
const char* SendGroupCommands(CDdeConversation& conversation, const std::vector<ProgramItem>& items)
{
    if (conversation.Execute(CreateGroupCommand(kGroupName)) != 0)
        return "Could not make main menu item!";
    for (const ProgramItem& item : items) {
        if (conversation.Execute(AddItemCommand(g_szTarget, item.fileName, item.title)) != 0)
            return "Could not add sub-menu items!";
    }
    return nullptr;
}

}  // namespace

CDdeConversation::~CDdeConversation()
{
    if (m_hConv)
        DdeDisconnect(m_hConv);
}

bool CDdeConversation::Connect(const char* service, const char* topic)
{
    HSZ hszService = DdeCreateStringHandleA(g_ddeInstance, service, CP_WINANSI);
    HSZ hszTopic = DdeCreateStringHandleA(g_ddeInstance, topic, CP_WINANSI);
    m_hConv = DdeConnect(g_ddeInstance, hszService, hszTopic, nullptr);
    DdeFreeStringHandle(g_ddeInstance, hszService);
    DdeFreeStringHandle(g_ddeInstance, hszTopic);
    return m_hConv != nullptr;
}

UINT CDdeConversation::Execute(const std::string& command)
{
    DWORD result = 0;
    HDDEDATA hDone = DdeClientTransaction(
        reinterpret_cast<LPBYTE>(const_cast<char*>(command.c_str())), static_cast<DWORD>(command.size() + 1),
        m_hConv, nullptr, CF_TEXT, XTYP_EXECUTE, kExecuteTimeoutMs, &result);
    if (reinterpret_cast<ULONG_PTR>(hDone) == 1)
        return 0;
    // A refused command can leave no error behind; it is still a failure.
    UINT error = DdeGetLastError(g_ddeInstance);
    return error != DMLERR_NO_ERROR ? error : DMLERR_NOTPROCESSED;
}

HDDEDATA CALLBACK DdeCallback(UINT uType, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return uType == XTYP_ADVDATA ? reinterpret_cast<HDDEDATA>(DDE_FACK) : nullptr;
}

std::unique_ptr<CDdeConversation> ConnectDde(const char* service, const char* topic, std::string program)
{
    for (;;) {
        if (!g_ddeInstance
            && DdeInitializeA(&g_ddeInstance, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
            g_ddeInstance = 0;
            return nullptr;
        }
        auto conversation = std::make_unique<CDdeConversation>();
        if (conversation->Connect(service, topic))
            return conversation;
        // Only a service nobody answers is worth starting the program for.
        if (program.empty() || DdeGetLastError(g_ddeInstance) != DMLERR_NO_CONV_ESTABLISHED)
            return nullptr;
        StartHidden(program);
        program.clear();
    }
}

const char* MakeGroupByDde(const std::vector<ProgramItem>& items)
{
    const InstallHooks& hooks = InstallGetHooks();
    std::string service = hooks.ddeService.empty() ? kProgMan : hooks.ddeService;
    std::unique_ptr<CDdeConversation> conversation = ConnectDde(service.c_str(), kProgMan, ProgManPath());
    if (!conversation)
        return "Windows is busy. Please run Install again!";
    // Wine's shell answers the service without a Program Manager window, so
    // the window is kept still only when there is one.
    HWND hProgMan = FindWindowA(kProgMan, nullptr);
    if (hProgMan) {
        ShowWindow(hProgMan, SW_RESTORE);
        BringWindowToTop(hProgMan);
        EnableWindow(hProgMan, FALSE);
    }
    const char* failure = SendGroupCommands(*conversation, items);
    // The shell is let go before anything else: the conversation open and
    // its window disabled, it would stay dead until the user answered a box.
    conversation.reset();
    if (hProgMan)
        EnableWindow(hProgMan, TRUE);
    return failure;
}

void ReleaseDde()
{
    if (g_ddeInstance)
        DdeUninitialize(g_ddeInstance);
    g_ddeInstance = 0;
}
