#include "framework/LineSplitter.h"

bool ReadArchiveLine(const char* text, std::size_t length, std::size_t& pos, std::string& line)
{
    line.clear();
    if (pos >= length)
        return false;
    std::size_t start = pos;
    while (pos < length) {
        char ch = text[pos];
        if (ch == '\n' || ch == '\r') {
            line.assign(text + start, pos - start);
            ++pos;
            // CR LF is one line end.
            if (ch == '\r' && pos < length && text[pos] == '\n')
                ++pos;
            return true;
        }
        ++pos;
    }
    line.assign(text + start, pos - start);
    return true;
}
