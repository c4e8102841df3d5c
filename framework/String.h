#pragma once
// CString: an 8-bit (ANSI) text value with the operations the program uses.
// Windows' headers come first everywhere: several member names here and in the
// other framework classes are also macros of theirs (LoadString, for one), and
// must be renamed the same way in every file.
#include <windows.h>

#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* pch, int nLength) : m_str(pch, nLength > 0 ? nLength : 0) {}
    CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    CString(const std::string& str) : m_str(str) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int nIndex) const { return m_str[nIndex]; }
    char operator[](int nIndex) const { return m_str[nIndex]; }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    CString& operator=(const char* psz) { m_str = psz ? psz : ""; return *this; }
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(const char* psz) { m_str += psz ? psz : ""; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;
    int Find(char ch, int nStart = 0) const;
    int Find(const char* psz, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int CompareNoCase(const char* psz) const;

    // Replaces the text with printf-style output.
    void Format(const char* pszFormat, ...);
    void FormatV(const char* pszFormat, va_list args);
    // Loads string nID of the program's string table; FALSE (and empty) if absent.
    bool LoadString(unsigned nID);

private:
    // The archive reads lines straight into the text, without a copy.
    friend class CArchive;
    std::string m_str;
};

inline CString operator+(const CString& a, const CString& b) { CString s(a); s += b; return s; }
inline CString operator+(const CString& a, const char* b) { CString s(a); s += b; return s; }
inline CString operator+(const char* a, const CString& b) { CString s(a); s += b; return s; }
inline CString operator+(const CString& a, char b) { CString s(a); s += b; return s; }
inline bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
inline bool operator==(const CString& a, const char* b) { return a.str() == (b ? b : ""); }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }

// Loads string nID and replaces "%1" in it with psz1.
CString AfxFormatString1(unsigned nID, const char* psz1);
