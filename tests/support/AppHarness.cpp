#include "tests/support/AppHarness.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/MainFrm.h"
#include "document/PlorDoc.h"
#include "framework/Dialog.h"
#include "framework/DocTemplate.h"
#include "framework/UiHooks.h"
#include "framework/WideText.h"
#include "graph/PlorView.h"

const char* const AppHarness::kProfileName = "plotra_tests.INI";

namespace {

int FirstButton(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDOK;
    }
}

}  // namespace

std::string AppHarness::OldProfilePath()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\" + kProfileName;
}

std::string AppHarness::ProfilePath()
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string name = module;
    name = name.substr(name.rfind('\\') + 1);
    return AppDataFolder() + "\\Plotra\\" + name.substr(0, name.rfind('.')) + ".ini";
}

std::string AppHarness::AppDataFolder()
{
    return TestFolder() + "\\appdata";
}

AppHarness::AppHarness()
{
    // The tests' own application-data folder, so no test touches the user's.
    CreateDirectoryA(AppDataFolder().c_str(), nullptr);
    SetEnvironmentVariableA("APPDATA", AppDataFolder().c_str());
    SetFileAttributesA(OldProfilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(OldProfilePath().c_str());
    DeleteFileA(ProfilePath().c_str());
    AfxUiHooks& hooks = AfxGetUiHooks();
    hooks.messageBox = [this](const CString& text, UINT type, const CString& caption) {
        boxes.push_back({ text.str(), type, caption.str() });
        if (answers.empty())
            return FirstButton(type);
        int answer = answers.front();
        answers.pop_front();
        return answer;
    };
    hooks.dialogShown = [this](CDialog* pDialog) {
        auto it = dialogs.find(pDialog->m_nIDTemplate);
        if (it != dialogs.end())
            it->second(pDialog);
        else
            pDialog->EndDialog(IDCANCEL);
    };
    hooks.promptFileName = [this](CString& fileName, BOOL) {
        if (fileNames.empty() || fileNames.front().empty()) {
            if (!fileNames.empty())
                fileNames.pop_front();
            return FALSE;
        }
        fileName = fileNames.front().c_str();
        fileNames.pop_front();
        return TRUE;
    };
    hooks.winHelp = [this](const CString& file, UINT command, ULONG_PTR data) {
        helpCalls.push_back({ file.str(), command, data });
    };
    hooks.htmlHelpAvailable = [this] { return htmlHelpAvailable; };
    hooks.htmlHelp = [this](const CString& target, UINT command) {
        htmlHelpCalls.push_back({ target.str(), command, 0 });
        return htmlHelpOpens;
    };
    hooks.printSetup = [](PRINTDLGA&) { return FALSE; };
}

AppHarness::~AppHarness()
{
    Stop();
    AfxGetUiHooks() = AfxUiHooks();
}

BOOL AppHarness::Start(const std::string& cmdLine)
{
    static std::string s_cmdLine;
    s_cmdLine = cmdLine;
    m_app.reset(new CPlorApp);
    m_app->m_strProfileName = kProfileName;
    m_app->m_lpCmdLine = s_cmdLine.c_str();
    m_app->m_nCmdShow = SW_SHOW;
    return m_app->InitInstance();
}

void AppHarness::Stop()
{
    if (!m_app)
        return;
    if (CPlorDoc* pDoc = Doc())
        pDoc->SetModifiedFlag(FALSE);
    if (m_app->m_pDocTemplate)
        m_app->m_pDocTemplate->CloseDocument();
    m_app->ExitInstance();
    // Closing the main window posts WM_QUIT for the message loop; it must not
    // reach the next test's modal loops.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            DispatchMessageA(&msg);
    }
    m_app.reset();
}

CMainFrame* AppHarness::Frame() const
{
    return m_app ? dynamic_cast<CMainFrame*>(m_app->m_pMainWnd) : nullptr;
}

CPlorDoc* AppHarness::Doc() const
{
    if (!m_app || !m_app->m_pDocTemplate)
        return nullptr;
    return dynamic_cast<CPlorDoc*>(m_app->m_pDocTemplate->m_pOnlyDoc);
}

CPlorView* AppHarness::View() const
{
    return Frame() ? dynamic_cast<CPlorView*>(Frame()->GetActiveView()) : nullptr;
}

void AppHarness::Command(UINT nID)
{
    SendMessageA(Frame()->m_hWnd, WM_COMMAND, MAKEWPARAM(nID, 0), 0);
}

void AppHarness::Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            break;
        PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        if (!m_app || !m_app->PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

std::string TestFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "plotra tests";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string WriteTestFile(const std::string& name, const std::string& bytes)
{
    return WriteFileAt(TestFolder() + "\\" + name, bytes);
}

std::string ReadFileAt(const std::string& path)
{
    std::ifstream in(std::filesystem::path(AfxWide(path)), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string WriteFileAt(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(AfxWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return path;
}

void UseDefaultPrinter()
{
    AfxGetUiHooks().printDialog = [](PRINTDLGA& pd) {
        if (pd.hDevNames) {
            pd.hDC = AfxGetApp()->CreateChosenPrinterDC();
            return static_cast<BOOL>(pd.hDC != nullptr);
        }
        pd.Flags |= PD_RETURNDEFAULT | PD_RETURNDC;
        return PrintDlgA(&pd);
    };
}
