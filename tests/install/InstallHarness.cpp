#include "tests/install/InstallHarness.h"

#include <algorithm>
#include <cstring>

#include "install/Install.h"
#include "install/InstallHooks.h"
#include "install/InstallRules.h"
#include "install/resource.h"
#include "tests/support/WinePath.h"

std::string SourceContents(const char* fileName)
{
    return std::string("the test's ") + fileName + "\r\n" + std::string(std::strlen(fileName) * 100, 'x');
}

void MakeSourceFiles(const std::string& folder)
{
    for (const char* name : g_installFiles)
        WriteAll(folder + "\\" + name, SourceContents(name));
}

std::vector<std::string> InstalledFiles(const std::string& folder)
{
    std::vector<std::string> names;
    for (const char* name : g_installFiles) {
        if (Exists(folder + "\\" + name))
            names.push_back(name);
    }
    return names;
}

// One server at a time answers; its callback finds it here.
static TestDdeServer* s_pServer = nullptr;
static DWORD s_serverInstance = 0;

TestDdeServer::TestDdeServer(const std::string& service, int failAt) : m_service(service), m_failAt(failAt)
{
    s_pServer = this;
    HANDLE hReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, hReady] { Run(hReady); });
    WaitForSingleObject(hReady, 10000);
    CloseHandle(hReady);
}

TestDdeServer::~TestDdeServer()
{
    PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
    s_pServer = nullptr;
}

std::vector<std::string> TestDdeServer::Commands()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

int TestDdeServer::OpenConversations()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_openConversations;
}

void TestDdeServer::Run(HANDLE hReady)
{
    m_threadId = GetCurrentThreadId();
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists before it is ready
    s_serverInstance = 0;
    DdeInitializeA(&s_serverInstance, Callback,
                   APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0);
    HSZ hszService = DdeCreateStringHandleA(s_serverInstance, m_service.c_str(), CP_WINANSI);
    DdeNameService(s_serverInstance, hszService, nullptr, DNS_REGISTER);
    SetEvent(hReady);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DdeNameService(s_serverInstance, hszService, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(s_serverInstance, hszService);
    DdeUninitialize(s_serverInstance);
}

HDDEDATA TestDdeServer::OnExecute(HDDEDATA hData)
{
    std::string command(DdeGetData(hData, nullptr, 0, 0), '\0');
    DdeGetData(hData, reinterpret_cast<LPBYTE>(&command[0]), static_cast<DWORD>(command.size()), 0);
    command.erase(std::find(command.begin(), command.end(), '\0'), command.end());
    std::lock_guard<std::mutex> lock(m_mutex);
    m_commands.push_back(command);
    bool bFail = static_cast<int>(m_commands.size()) - 1 == m_failAt;
    return reinterpret_cast<HDDEDATA>(bFail ? DDE_FNOTPROCESSED : DDE_FACK);
}

HDDEDATA CALLBACK TestDdeServer::Callback(UINT uType, UINT, HCONV, HSZ, HSZ, HDDEDATA hData, ULONG_PTR, ULONG_PTR)
{
    if (uType == XTYP_CONNECT)
        return reinterpret_cast<HDDEDATA>(TRUE);
    if (!s_pServer)
        return nullptr;
    if (uType == XTYP_EXECUTE)
        return s_pServer->OnExecute(hData);
    if (uType == XTYP_CONNECT_CONFIRM || uType == XTYP_DISCONNECT) {
        std::lock_guard<std::mutex> lock(s_pServer->m_mutex);
        s_pServer->m_openConversations += uType == XTYP_CONNECT_CONFIRM ? 1 : -1;
    }
    return nullptr;
}

InstallRun::InstallRun(const std::string& sourceDir, const std::string& service) : programs("programs")
{
    InstallHooks& hooks = InstallGetHooks();
    hooks = InstallHooks();
    hooks.sourceDir = sourceDir + "\\";
    hooks.ddeService = service;
    hooks.progManFolder = sourceDir;  // holds no PROGMAN.EXE: nothing is started
    hooks.programsFolders = { programs.Path() };
    hooks.hasHtmlHelp = [this] { return bHtmlHelp; };
    hooks.messageBox = [this](HWND hOwner, const std::string& text, const std::string& caption, UINT nType) {
        boxes.push_back({ hOwner, text, caption, nType });
        if (hOwner && hOwner == m_hInstallDlg)
            TypeNextTarget(hOwner);
        if ((nType & MB_TYPEMASK) != MB_YESNO)
            return IDOK;
        int answer = yesNoAnswers.empty() ? IDYES : yesNoAnswers.front();
        if (!yesNoAnswers.empty())
            yesNoAnswers.pop_front();
        return answer;
    };
    hooks.dialogShown = [this](const char* name, HWND hDlg) {
        ShownDialog shown = { name, "", {} };
        char caption[100] = {};
        GetWindowTextA(hDlg, caption, sizeof caption);
        shown.caption = caption;
        GetWindowRect(hDlg, &shown.rc);
        dialogs.push_back(shown);
        if (std::string(name) == "COPY") {
            hCopyDlg = hDlg;
            return;
        }
        m_hInstallDlg = hDlg;
        char text[300] = {};
        GetDlgItemTextA(hDlg, IDC_TARGET, text, sizeof text);
        shownTargets.push_back(text);
        TypeNextTarget(hDlg);
    };
    hooks.beforeCopy = [this](const char* fileName, HWND hDlg) {
        if (std::find(cancelBefore.begin(), cancelBefore.end(), fileName) != cancelBefore.end())
            PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
    };
}

InstallRun::~InstallRun()
{
    InstallGetHooks() = InstallHooks();
}

// Types the next target and presses OK, or presses Cancel when none is left.
void InstallRun::TypeNextTarget(HWND hDlg)
{
    if (targets.empty()) {
        PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    // Typed in UTF-16, as a keyboard or a paste gives it.
    SetDlgItemTextW(hDlg, IDC_TARGET, Utf16(targets.front()).c_str());
    targets.pop_front();
    PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
}

int InstallRun::Run()
{
    // The setup program makes the target the current folder; the tests
    // must be able to remove it afterwards.
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    int result = InstallMain(GetModuleHandleA(nullptr));
    SetCurrentDirectoryA(cwd);
    return result;
}
