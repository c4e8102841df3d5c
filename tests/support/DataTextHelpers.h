#pragma once
// Helpers for the tests, the fuzz target and the benchmark of the data-file
// layout: a whole text split into lines by the data file's rules.
#include <string>
#include <vector>

#include "document/DataText.h"
#include "framework/LineSplitter.h"

inline std::vector<std::string> SplitArchiveLines(const char* text, std::size_t length)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    std::string line;
    while (ReadArchiveLine(text, length, pos, line))
        lines.push_back(line);
    return lines;
}

inline std::vector<std::string> SplitArchiveLines(const std::string& text)
{
    return SplitArchiveLines(text.data(), text.size());
}
