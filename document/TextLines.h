#pragma once
// TextLines: the document's text lines, kept in one block of characters with
// the start of each line beside it, rather than one heap block per line. A
// file's text becomes the lines' storage where it was read: its line ends are
// taken out in place. Every line is followed by a NUL, so that a line can be
// handed on as a C string; its length still counts any NUL inside it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/BackgroundTask.h"
#include "document/LineStarts.h"

// One line of a TextLines, valid until the lines change.
struct TextLine : std::string_view {
    TextLine(const char* p, std::size_t n) : std::string_view(p, n) {}
    operator const char*() const { return data(); }
    std::string str() const { return std::string(data(), size()); }
};

// Leaves the characters a vector grows by as they are: the text read into
// the lines is written before it is read, and memory not yet written costs
// nothing until it is.
template <class T>
struct UnfilledAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UnfilledAllocator<U>;
    };
    UnfilledAllocator() = default;
    template <class U>
    UnfilledAllocator(const UnfilledAllocator<U>&) {}
    template <class U>
    void construct(U* p) { ::new (static_cast<void*>(p)) U; }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) { ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...); }
};

class TextLines {
public:
    TextLines() { m_starts.push_back(0); }
    ~TextLines() { FinishTouching(); }
    TextLines(TextLines&&) = default;
    TextLines& operator=(TextLines&&) = default;

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

    // Texts from which a second thread touching their memory pays for itself.
    static constexpr std::size_t kTouchAheadMinimum = std::size_t(64) << 20;

    // A text read piece by piece becomes the lines, split as an archive
    // reads them (see ReadArchiveLine): BeginText with the most characters
    // the text may have, AppendText for each piece (a line may go on from
    // one piece into the next), EndText, which returns the number of lines.
    // The room for the whole text is set aside at the start and used only as
    // the lines fill it, so that the line ends taken out never take memory.
    // Lines of 4 GB or more in all cannot be held: std::bad_alloc. The room
    // of a large text is first touched on two processors: a second thread
    // touches the middle half of it while the pieces fill the start.
    void BeginText(std::size_t nMaxChars, std::size_t nTouchAheadMinimum = kTouchAheadMinimum);
    void AppendText(const char* p, std::size_t n);
    int EndText();

private:
    void FinishTouching();
    // Once the first part of a text is in, the index gets room for as many
    // lines as the rest is likely to hold, so that it is not copied as it grows.
    void ReserveLikeTheStart();
    // text itself, or a copy of it in copy where it lies in these lines' own characters.
    std::string_view Detached(std::string_view text, std::string& copy) const;

    // The first member, so that a move joins the thread touching the text it replaces.
    std::unique_ptr<CBackgroundTask> m_pTouching;
    std::size_t m_nTouchFrom = 0;  // where the touched part begins; only that thread writes there
    std::vector<char, UnfilledAllocator<char>> m_text;  // every line's characters, each line followed by a NUL
    LineStarts m_starts;                 // start of each line in m_text, then the end of m_text
    int m_nGrowBy = 0;
    std::size_t m_nRead = 0;    // while a text is read: how much of m_text it fills
    bool m_bPendingCr = false;  // the last piece ended in a CR: an LF first in the next is of its line end
    bool m_bIndexSized = true;  // while a text is read: the index has had room made for the whole
};
