#include "framework/WideText.h"

#include <windows.h>

std::wstring AfxWide(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int length = static_cast<int>(utf8.size());
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(n > 0 ? n : 0, L'\0');
    if (n > 0)
        n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, &wide[0], n);
    wide.resize(n > 0 ? n : 0);
    return wide;
}

std::wstring AfxWide(const char* pszUtf8)
{
    return AfxWide(std::string(pszUtf8 ? pszUtf8 : ""));
}

CString AfxUtf8(const wchar_t* pszWide, int nLength)
{
    if (!pszWide || nLength == 0 || (nLength < 0 && !*pszWide))
        return CString();
    int n = WideCharToMultiByte(CP_UTF8, 0, pszWide, nLength, nullptr, 0, nullptr, nullptr);
    std::string text(n > 0 ? n : 0, '\0');
    if (n > 0)
        n = WideCharToMultiByte(CP_UTF8, 0, pszWide, nLength, &text[0], n, nullptr, nullptr);
    // A length of -1 counts the NUL too.
    if (nLength < 0 && n > 0)
        --n;
    text.resize(n > 0 ? n : 0);
    return CString(text);
}

CString AfxUtf8FromAnsi(const std::string& ansi)
{
    const int length = static_cast<int>(ansi.size());
    int n = length > 0 ? MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0) : 0;
    std::wstring wide(n > 0 ? n : 0, L'\0');
    if (n > 0)
        n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, &wide[0], n);
    return AfxUtf8(wide.c_str(), n > 0 ? n : 0);
}
