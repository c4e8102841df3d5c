#include "document/TextLines.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "document/BackgroundTask.h"

namespace {

const std::uint64_t kMaxText = 0xFFFFFFFFu;

std::uint32_t Offset(std::size_t position)
{
    if (position > kMaxText)
        throw std::bad_alloc();
    return static_cast<std::uint32_t>(position);
}

// Takes the line ends out of p[begin, end) in one pass: each line's
// characters move to where the previous line's NUL ended (never past where
// they were read, since every line end read is at least as long as the NUL
// written for it, and a CR with the character it keeps is two characters read
// for one written). The start of each line after the first goes to starts;
// returns where the written characters end.
std::size_t CompactLines(char* p, std::size_t begin, std::size_t end, LineStarts& starts)
{
    // Most files end their lines with LF: the index is made once at its size.
    starts.reserve(starts.size() + static_cast<std::size_t>(std::count(p + begin, p + end, '\n')) + 1);
    std::size_t read = begin;
    std::size_t write = begin;
    while (read < end) {
        char ch = p[read++];
        if (ch != '\n' && ch != '\r') {
            p[write++] = ch;
            continue;
        }
        // CR LF ends a line; a CR followed by another character keeps it.
        if (ch == '\r' && read < end) {
            char next = p[read++];
            if (next != '\n')
                p[write++] = next;
        }
        p[write++] = '\0';
        starts.push_back(static_cast<std::uint32_t>(write));
    }
    return write;
}

// Where a large text is cut in two for both processors: just after the first
// LF from its middle on. A line starts there whichever way the text before it
// is read, so each half splits alone as the whole would.
std::size_t HalfwayLineStart(const char* p, std::size_t length)
{
    const char* lf = static_cast<const char*>(std::memchr(p + length / 2, '\n', length - length / 2));
    return lf ? static_cast<std::size_t>(lf - p) + 1 : length;
}

}  // namespace

void TextLines::SetSize(int nNewSize, int nGrowBy)
{
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize < 0)
        nNewSize = 0;
    if (nNewSize <= GetSize()) {
        m_starts.resize(nNewSize + 1);
        m_text.resize(m_starts.back());
        return;
    }
    Reserve(nNewSize, 0);
    while (GetSize() < nNewSize)
        Add(std::string_view());
}

void TextLines::Reserve(int nLines, std::size_t nChars)
{
    std::size_t step = m_nGrowBy > 0 ? static_cast<std::size_t>(m_nGrowBy) : 0;
    if (static_cast<std::size_t>(nLines) + 1 > m_starts.capacity())
        m_starts.reserve(nLines + 1 + step);
    m_text.reserve(m_text.size() + nChars);
}

int TextLines::Add(std::string_view text)
{
    Offset(m_text.size() + text.size() + 1);
    m_text.append(text.data(), text.size());
    m_text += '\0';
    m_starts.push_back(static_cast<std::uint32_t>(m_text.size()));
    return GetSize() - 1;
}

void TextLines::SetAtGrow(int nIndex, std::string_view text)
{
    if (nIndex >= GetSize()) {
        SetSize(nIndex);
        Add(text);
        return;
    }
    // A line in the middle: the lines after it move by the change in length.
    std::uint32_t start = m_starts[nIndex];
    std::size_t oldLength = m_starts[nIndex + 1] - start - 1;
    Offset(m_text.size() - oldLength + text.size());
    const std::int64_t shift = static_cast<std::int64_t>(text.size()) - static_cast<std::int64_t>(oldLength);
    m_starts.MakeRoomToShift(nIndex + 1, shift);
    m_text.replace(start, oldLength, text.data(), text.size());
    m_starts.ShiftFrom(nIndex + 1, shift);
}

int TextLines::AdoptText(std::string&& text, std::size_t splitMinimum)
{
    Offset(text.size() + 1);
    m_text = std::move(text);
    std::size_t length = m_text.size();
    m_text.push_back('\0');  // room for the last line's NUL
    char* p = &m_text[0];
    m_starts.clear();
    m_starts.push_back(0);
    std::size_t middle = length >= splitMinimum ? HalfwayLineStart(p, length) : length;
    LineStarts secondStarts;
    std::size_t secondEnd = middle;
    std::unique_ptr<CBackgroundTask> second;
    if (middle < length) {
        try {
            second.reset(new CBackgroundTask([&] { secondEnd = CompactLines(p, middle, length, secondStarts); }));
        } catch (const std::bad_alloc&) {
            middle = length;  // no second task: this thread reads it all
        }
    }
    std::size_t write = CompactLines(p, 0, middle, m_starts);
    if (second) {
        second->Wait();
        // The second half's lines close up behind the first's.
        std::memmove(p + write, p + middle, secondEnd - middle);
        const std::uint32_t shift = static_cast<std::uint32_t>(middle - write);
        m_starts.reserve(m_starts.size() + secondStarts.size() + 1);
        for (std::size_t i = 0; i < secondStarts.size(); ++i)
            m_starts.push_back(secondStarts[i] - shift);
        write = secondEnd - shift;
    }
    if (write > m_starts.back()) {
        p[write++] = '\0';
        m_starts.push_back(static_cast<std::uint32_t>(write));
    }
    m_text.resize(write);
    return GetSize();
}
