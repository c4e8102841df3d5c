#include "document/TextLines.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

const std::uint64_t kMaxText = 0xFFFFFFFFu;
// How much of a text is read before the number of its lines is judged from it.
const std::size_t kLineSample = std::size_t(64) << 10;

std::uint32_t Offset(std::size_t position)
{
    if (position > kMaxText)
        throw std::bad_alloc();
    return static_cast<std::uint32_t>(position);
}

// Whether any of the eight bytes is a CR or an LF: a byte XORed with the
// character it is compared with is zero where they match, and subtracting 1
// from a zero byte is the only way for its top bit to be set where it was
// clear (a borrow only goes on past a byte that was zero).
bool HasLineEnd(std::uint64_t bytes)
{
    const std::uint64_t ones = 0x0101010101010101u;
    const std::uint64_t tops = 0x8080808080808080u;
    const std::uint64_t cr = bytes ^ (ones * '\r');
    const std::uint64_t lf = bytes ^ (ones * '\n');
    return (((cr - ones) & ~cr) | ((lf - ones) & ~lf)) & tops;
}

}  // namespace

void TextLines::SetSize(int nNewSize, int nGrowBy)
{
    FinishTouching();
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
    FinishTouching();
    std::size_t step = m_nGrowBy > 0 ? static_cast<std::size_t>(m_nGrowBy) : 0;
    if (static_cast<std::size_t>(nLines) + 1 > m_starts.capacity())
        m_starts.reserve(nLines + 1 + step);
    m_text.reserve(m_text.size() + nChars);
}

int TextLines::Add(std::string_view text)
{
    FinishTouching();
    Offset(m_text.size() + text.size() + 1);
    std::string copy;
    text = Detached(text, copy);
    m_text.insert(m_text.end(), text.begin(), text.end());
    m_text.push_back('\0');
    m_starts.push_back(static_cast<std::uint32_t>(m_text.size()));
    return GetSize() - 1;
}

void TextLines::SetAtGrow(int nIndex, std::string_view text)
{
    FinishTouching();
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
    std::string copy;
    text = Detached(text, copy);
    m_starts.MakeRoomToShift(nIndex + 1, shift);
    // Room made or taken out after the old line, then the new one written
    // over it; a failed insert changes nothing.
    const auto end = m_text.begin() + start + oldLength;
    if (text.size() > oldLength)
        m_text.insert(end, text.size() - oldLength, '\0');
    else
        m_text.erase(end - (oldLength - text.size()), end);
    std::copy(text.begin(), text.end(), m_text.begin() + start);
    m_starts.ShiftFrom(nIndex + 1, shift);
}

void TextLines::BeginText(std::size_t nMaxChars, std::size_t nTouchAheadMinimum)
{
    FinishTouching();
    decltype(m_text)().swap(m_text);
    m_starts.clear();
    m_starts.push_back(0);
    m_bPendingCr = false;
    m_nRead = 0;
    m_bIndexSized = nMaxChars < 2 * kLineSample;
    // The room is there, not yet touched: the pieces write it from the start.
    m_text.resize(Offset(nMaxChars + 1));
    if (nMaxChars < nTouchAheadMinimum)
        return;
    // Each page's first write takes the system's time: a second thread
    // writes the pages of the middle half, which the pieces reach only once
    // it is done (AppendText waits for it there).
    const std::size_t to = nMaxChars / 4 * 3;
    char* p = m_text.data();
    m_nTouchFrom = nMaxChars / 4;
    try {
        m_pTouching.reset(new CBackgroundTask([p, from = m_nTouchFrom, to] {
            for (std::size_t i = from; i < to; i += 4096)
                p[i] = '\0';
        }));
    } catch (const std::bad_alloc&) {
        // The pieces touch it all, as they do a small text.
    }
}

void TextLines::FinishTouching()
{
    if (m_pTouching) {
        m_pTouching->Wait();
        m_pTouching.reset();
    }
}

std::string_view TextLines::Detached(std::string_view text, std::string& copy) const
{
    // One of these lines would move with the room made for it.
    if (!m_text.empty() && text.data() >= m_text.data() && text.data() < m_text.data() + m_text.size())
        return copy.assign(text.data(), text.size());
    return text;
}

// Each line end read is at least as long as the NUL written for it: the
// lines' text grows by no more than the piece.
void TextLines::AppendText(const char* p, std::size_t n)
{
    std::size_t write = m_nRead;
    if (m_pTouching && write + n + 1 > m_nTouchFrom)
        FinishTouching();
    // A file that grew since its length was taken outgrows the room.
    if (write + n + 1 > m_text.size())
        m_text.resize(Offset(write + n + 1));
    char* out = m_text.data();
    auto endLine = [&] {
        out[write++] = '\0';
        m_starts.push_back(static_cast<std::uint32_t>(write));
    };
    std::size_t read = 0;
    // The line before ended at a CR: an LF after it is of that line end.
    if (m_bPendingCr && n > 0) {
        m_bPendingCr = false;
        read = p[0] == '\n' ? 1 : 0;
    }
    while (read < n) {
        // The characters of a line, eight at a time while no line end is
        // among them: most of a data file's bytes go this way.
        std::uint64_t bytes;
        while (read + 8 <= n && (std::memcpy(&bytes, p + read, 8), !HasLineEnd(bytes))) {
            std::memcpy(out + write, &bytes, 8);
            read += 8;
            write += 8;
        }
        if (read == n)
            break;
        const char ch = p[read++];
        if (ch != '\n' && ch != '\r') {
            out[write++] = ch;
            continue;
        }
        // LF, CR LF and a CR alone each end a line.
        if (ch == '\r') {
            if (read == n)
                m_bPendingCr = true;
            else if (p[read] == '\n')
                ++read;
        }
        endLine();
    }
    m_nRead = write;
    if (!m_bIndexSized && write >= kLineSample)
        ReserveLikeTheStart();
}

void TextLines::ReserveLikeTheStart()
{
    m_bIndexSized = true;
    // Lines per character kept so far, for all the room: a little more than
    // the text holds, as the room counts the line ends taken out. No more
    // than the shortest data line, "1 2" and its end, could fill: a start of
    // blank lines should not take the memory the points will need.
    const std::uint64_t room = m_text.size();
    const std::uint64_t lines = std::min<std::uint64_t>(GetSize() * room / m_nRead, room / 4) + 64;
    try {
        m_starts.reserve(static_cast<std::size_t>(lines));
    } catch (const std::bad_alloc&) {
        // The index grows as the lines come, as it would have anyway.
    }
}

int TextLines::EndText()
{
    FinishTouching();
    m_text.resize(m_nRead);
    // The end ends a last line that has no line end of its own.
    m_bPendingCr = false;
    if (m_text.size() > m_starts.back()) {
        m_text.push_back('\0');
        m_starts.push_back(Offset(m_text.size()));
    }
    return GetSize();
}
