#include "tests/install/TestFiles.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

TempFolder::TempFolder(const std::string& name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    m_path = std::string(temp) + "plotra-" + name + "-" + std::to_string(GetCurrentProcessId());
    RemoveTree(m_path);
    CreateDirectoryA(m_path.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((path + "\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            // A name the code page lacks comes as question marks; its short form reaches it.
            if (name.find('?') != std::string::npos && found.cAlternateFileName[0])
                name = found.cAlternateFileName;
            std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryA(path.c_str());
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
            names.push_back(found.cFileName);
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    return names;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadAll(const std::string& path)
{
    std::string contents;
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(hFile, buffer, sizeof buffer, &read, nullptr) && read > 0)
        contents.append(buffer, read);
    CloseHandle(hFile);
    return contents;
}

void WriteAll(const std::string& path, const std::string& contents)
{
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(hFile, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(hFile);
}

bool ReadShortcut(const std::string& linkFile, Shortcut& shortcut)
{
    HRESULT hrCom = CoInitialize(nullptr);
    IShellLinkA* pLink = nullptr;
    IPersistFile* pFile = nullptr;
    std::wstring wideLink(linkFile.begin(), linkFile.end());  // the tests' paths are ASCII
    char path[MAX_PATH] = {}, workingDir[MAX_PATH] = {};
    bool bRead = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                            reinterpret_cast<void**>(&pLink)))
        && SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))
        && SUCCEEDED(pFile->Load(wideLink.c_str(), STGM_READ))
        && SUCCEEDED(pLink->GetPath(path, sizeof path, nullptr, SLGP_RAWPATH))
        && SUCCEEDED(pLink->GetWorkingDirectory(workingDir, sizeof workingDir));
    shortcut = { path, workingDir };
    if (pFile)
        pFile->Release();
    if (pLink)
        pLink->Release();
    if (SUCCEEDED(hrCom))
        CoUninitialize();
    return bRead;
}
