#pragma once
// LineReader: splits pasted clipboard text into lines, with no dependence on
// Windows, where a data file's lines end: at LF, CR LF or a CR alone. Text
// ending in a line end yields no empty last line; an empty line inside the
// text (CR LF CR LF) yields an empty line.
#include <cstddef>
#include <string>

class LineReader {
public:
    LineReader(const char* text, std::size_t length) : m_text(text), m_nLength(length) {}

    // The next line, whole (lines longer than the data file allows are left
    // to the parser, which treats them as it treats such lines in a file);
    // false when no line is left.
    bool ReadLine(std::string& line);

private:
    const char* m_text;
    std::size_t m_nPos = 0;
    std::size_t m_nLength;
};
