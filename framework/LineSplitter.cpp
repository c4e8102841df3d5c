#include "framework/LineSplitter.h"

bool ReadArchiveLine(const char* text, std::size_t length, std::size_t& pos, std::string& line)
{
    line.clear();
    if (pos >= length)
        return false;
    std::size_t start = pos;
    while (pos < length) {
        char ch = text[pos];
        if (ch == '\n') {
            line.assign(text + start, pos - start);
            ++pos;
            return true;
        }
        if (ch == '\r') {
            line.assign(text + start, pos - start);
            ++pos;
            if (pos < length) {
                if (text[pos] != '\n')
                    line += text[pos];
                ++pos;
            }
            return true;
        }
        ++pos;
    }
    line.assign(text + start, pos - start);
    return true;
}
