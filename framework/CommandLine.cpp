#include "framework/CommandLine.h"

const char* SkipProgramName(const char* p)
{
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

std::string StripFileNameQuotes(const std::string& text)
{
    std::string name = text;
    if (!name.empty() && name[0] == '"')
        name.erase(0, 1);
    std::size_t last = name.rfind('"');
    if (last != std::string::npos)
        name.erase(last);
    return name;
}
