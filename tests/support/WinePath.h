#pragma once
// Paths handed over from the Linux side (CTest, the scripts) are Unix paths;
// under Wine the whole Unix tree is drive Z:. The tests write names in other
// scripts in UTF-8 and hand them to Windows in UTF-16; the paths a test is
// given on its command line are in the code page (CP_ACP).
#include <windows.h>

#include <string>

inline std::wstring Utf16(const std::string& text, UINT codePage = CP_UTF8)
{
    std::wstring wide(text.size() + 1, L'\0');
    int n = MultiByteToWideChar(codePage, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n - 1 : 0);
    return wide;
}

inline std::string ToWindowsPath(std::string path)
{
    if (path.empty() || path[0] != '/')
        return path;
    for (char& ch : path) {
        if (ch == '/')
            ch = '\\';
    }
    return "Z:" + path;
}
