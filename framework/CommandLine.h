#pragma once
// Command-line text rules of the framework, with no dependence on Windows.
#include <string>

// The text after the program name of a full command line (as GetCommandLine
// gives it): the name is skipped, quoted or not, and so are the blanks after it.
const char* SkipProgramName(const char* pszCommandLine);

// The file name an open request names: a leading double quote is skipped and
// the name ends at the last double quote, if there is one.
std::string StripFileNameQuotes(const std::string& text);
