#pragma once
// TextLines: the document's text lines, kept in one block of characters with
// the start of each line beside it, rather than one heap block per line. A
// file's text becomes the lines' storage where it was read: its line ends are
// taken out in place. Every line is followed by a NUL, so that a line can be
// handed on as a C string; its length still counts any NUL inside it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/LineStarts.h"

// One line of a TextLines, valid until the lines change.
struct TextLine : std::string_view {
    TextLine(const char* p, std::size_t n) : std::string_view(p, n) {}
    operator const char*() const { return data(); }
    std::string str() const { return std::string(data(), size()); }
};

class TextLines {
public:
    TextLines() { m_starts.push_back(0); }

    int GetSize() const { return static_cast<int>(m_starts.size()) - 1; }
    int GetGrowBy() const { return m_nGrowBy; }
    // Sets the number of lines: new ones are empty, lines past the end go.
    // nGrowBy < 0 keeps the step by which the line index grows.
    void SetSize(int nNewSize, int nGrowBy = -1);
    void RemoveAll() { SetSize(0); }

    TextLine operator[](int nIndex) const
    {
        std::uint32_t start = m_starts[nIndex];
        return TextLine(m_text.data() + start, m_starts[nIndex + 1] - start - 1);
    }
    // Replaces line nIndex, first adding empty lines up to it if need be.
    void SetAtGrow(int nIndex, std::string_view text);
    void SetAtGrow(int nIndex, const char* psz) { SetAtGrow(nIndex, std::string_view(psz ? psz : "")); }
    int Add(std::string_view text);
    // Room for so many lines and characters, so that adding them moves nothing.
    void Reserve(int nLines, std::size_t nChars);

    // A text read piece by piece becomes the lines, split as an archive
    // reads them (see ReadArchiveLine): BeginText with the most characters
    // the text may have, AppendText for each piece (a line may go on from
    // one piece into the next), EndText, which returns the number of lines.
    // The room for the whole text is set aside at the start and used only as
    // the lines fill it, so that the line ends taken out never take memory.
    // Lines of 4 GB or more in all cannot be held: std::bad_alloc.
    void BeginText(std::size_t nMaxChars);
    void AppendText(const char* p, std::size_t n);
    int EndText();

private:
    std::string m_text;                  // every line's characters, each line followed by a NUL
    LineStarts m_starts;                 // start of each line in m_text, then the end of m_text
    int m_nGrowBy = 0;
    bool m_bPendingCr = false;  // the last piece ended in a CR: the next one's first character decides
};
