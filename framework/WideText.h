#pragma once
// File names, and the texts that show them, travel through the program as
// UTF-8 in CString: every name Windows can make survives, and the program's
// own texts (all plain ASCII) are UTF-8 as they stand. The framework turns
// them into UTF-16 at the Win32 calls that take or give names (files, file
// dialogs, drops, the command line, DDE, the profile, titles and message
// boxes), and nowhere else. A data file's contents stay 8-bit text.
#include <string>

#include "framework/String.h"

// UTF-8 to UTF-16; bytes that are no UTF-8 become U+FFFD. The string's
// form converts every character, NULs inside it as well.
std::wstring AfxWide(const std::string& utf8);
std::wstring AfxWide(const char* pszUtf8);
// UTF-16 (nLength characters, or up to the NUL when -1) to UTF-8.
CString AfxUtf8(const wchar_t* pszWide, int nLength = -1);
// Text in the system's 8-bit code page to UTF-8.
CString AfxUtf8FromAnsi(const std::string& ansi);
