#include "framework/String.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    return CString(m_str.substr(0, nCount));
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - nFirst);
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst >= GetLength() || nCount <= 0)
        return CString();
    return CString(m_str.substr(nFirst, nCount));
}

CString CString::Right(int nCount) const
{
    if (nCount >= GetLength())
        return *this;
    if (nCount <= 0)
        return CString();
    return CString(m_str.substr(m_str.size() - nCount));
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(ch, nStart);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* psz, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(psz, nStart);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::CompareNoCase(const char* psz) const
{
    return lstrcmpiA(m_str.c_str(), psz);
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (n < 0) {
        m_str.clear();
        return;
    }
    std::vector<char> buffer(n + 1);
    std::vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
    m_str.assign(buffer.data(), n);
}

bool CString::LoadString(unsigned nID)
{
    // String resources are stored as counted UTF-16; LoadStringA converts them
    // to the ANSI code page. 1024 characters is more than any text here needs.
    char buffer[1024];
    int n = ::LoadStringA(GetModuleHandleA(nullptr), nID, buffer, sizeof buffer);
    m_str.assign(buffer, n > 0 ? n : 0);
    return n > 0;
}

CString AfxFormatString1(unsigned nID, const char* psz1)
{
    CString text;
    text.LoadString(nID);
    int pos = text.Find("%1");
    if (pos < 0)
        return text;
    return text.Left(pos) + psz1 + text.Mid(pos + 2);
}
