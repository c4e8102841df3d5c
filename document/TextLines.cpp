#include "document/TextLines.h"

#include <algorithm>
#include <new>

namespace {

const std::uint64_t kMaxText = 0xFFFFFFFFu;

std::uint32_t Offset(std::size_t position)
{
    if (position > kMaxText)
        throw std::bad_alloc();
    return static_cast<std::uint32_t>(position);
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
    m_text.replace(start, oldLength, text.data(), text.size());
    std::int64_t shift = static_cast<std::int64_t>(text.size()) - static_cast<std::int64_t>(oldLength);
    for (std::size_t i = nIndex + 1; i < m_starts.size(); ++i)
        m_starts[i] = static_cast<std::uint32_t>(m_starts[i] + shift);
}

// One pass over the text: each line's characters move to where the previous
// line's NUL ended (never past where they were read, since every line end
// read is at least as long as the NUL written for it, and a CR with the
// character it keeps is two characters read for one written).
int TextLines::AdoptText(std::string&& text)
{
    Offset(text.size() + 1);
    m_text = std::move(text);
    std::size_t length = m_text.size();
    m_text.push_back('\0');  // room for the last line's NUL
    char* p = &m_text[0];
    // Most files end their lines with LF: the index is made once at its size.
    m_starts.clear();
    m_starts.reserve(static_cast<std::size_t>(std::count(p, p + length, '\n')) + 2);
    m_starts.push_back(0);
    std::size_t read = 0;
    std::size_t write = 0;
    while (read < length) {
        char ch = p[read++];
        if (ch != '\n' && ch != '\r') {
            p[write++] = ch;
            continue;
        }
        // CR LF ends a line; a CR followed by another character keeps it.
        if (ch == '\r' && read < length) {
            char next = p[read++];
            if (next != '\n')
                p[write++] = next;
        }
        p[write++] = '\0';
        m_starts.push_back(static_cast<std::uint32_t>(write));
    }
    if (write > m_starts.back()) {
        p[write++] = '\0';
        m_starts.push_back(static_cast<std::uint32_t>(write));
    }
    m_text.resize(write);
    return GetSize();
}
