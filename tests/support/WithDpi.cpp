// Runs a program at another screen DPI: sets the LogPixels setting that
// each process reads as it starts, runs the program with the arguments
// given and waits for it, then puts the setting back.
//
//   with_dpi <dpi> <program> [arguments...]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/WinePath.h"

namespace {

const char kDesktopKey[] = "Control Panel\\Desktop";

// Sets LogPixels, or removes it for 0; returns the value it had (0: none).
DWORD SetLogPixels(DWORD dpi)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &hKey, nullptr) != ERROR_SUCCESS)
        return 0;
    DWORD old = 0, size = sizeof old;
    if (RegQueryValueExA(hKey, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old), &size) != ERROR_SUCCESS)
        old = 0;
    if (dpi)
        RegSetValueExA(hKey, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    else
        RegDeleteValueA(hKey, "LogPixels");
    RegCloseKey(hKey);
    return old;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::printf("usage: with_dpi <dpi> <program> [arguments...]\n");
        return 2;
    }
    std::string commandLine = "\"" + ToWindowsPath(argv[2]) + "\"";
    for (int i = 3; i < argc; ++i)
        commandLine += std::string(" \"") + argv[i] + "\"";
    DWORD old = SetLogPixels(std::strtoul(argv[1], nullptr, 10));
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    DWORD exitCode = 1;
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        // Longer than any test run takes; a hung program is ended.
        if (WaitForSingleObject(pi.hProcess, 20 * 60 * 1000) != WAIT_OBJECT_0)
            TerminateProcess(pi.hProcess, 99);
        GetExitCodeProcess(pi.hProcess, &exitCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        std::printf("with_dpi: %s did not start\n", argv[2]);
    }
    SetLogPixels(old);
    return static_cast<int>(exitCode);
}
