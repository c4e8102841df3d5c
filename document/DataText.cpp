#include "document/DataText.h"

#include <cstdint>
#include <cstring>

#include "document/NumberText.h"

namespace {

// Fields of a settings line are separated by one or more spaces. Next() gives
// the start of the next field and moves past it; Rest() gives the rest of the
// line after the separator that ended the previous field.
class FieldReader {
public:
    explicit FieldReader(const std::string& line) : m_p(line.c_str()) {}

    // False when no field is left.
    bool Next(const char*& field)
    {
        while (*m_p == ' ')
            ++m_p;
        if (!*m_p)
            return false;
        field = m_p;
        while (*m_p && *m_p != ' ')
            ++m_p;
        if (*m_p == ' ')
            ++m_p;
        return true;
    }

    bool Rest(const char*& field)
    {
        while (*m_p == ' ')
            ++m_p;
        if (!*m_p)
            return false;
        field = m_p;
        return true;
    }

private:
    const char* m_p;
};

void ReadIntegers(const std::string& line, int* const* targets, int count, bool lastTakesRest)
{
    FieldReader reader(line);
    for (int i = 0; i < count; ++i) {
        const char* field;
        bool last = lastTakesRest && i == count - 1;
        if (!(last ? reader.Rest(field) : reader.Next(field)))
            return;
        *targets[i] = AtoI(field);
    }
}

// "flag lo hi": an integer, then two doubles, the last read from the rest.
void ReadScaleLine(const std::string& line, int& flag, double& lo, double& hi)
{
    FieldReader reader(line);
    const char* field;
    if (!reader.Next(field))
        return;
    flag = AtoI(field);
    if (!reader.Next(field))
        return;
    lo = AtoF(field);
    if (!reader.Rest(field))
        return;
    hi = AtoF(field);
}

}  // namespace

namespace data_text {

// What each byte adds to the packed count of a run of bytes: spaces in bits
// 0 to 15, tabs in 16 to 31, commas in 32 to 47, and bytes that no number
// holds in 48 to 63. One addition a byte counts all four; a run of at most
// 65535 bytes carries no count into the next field.
struct PackedShares {
    std::uint64_t share[256];
    constexpr PackedShares() : share()
    {
        for (int ch = 0; ch < 256; ++ch)
            share[ch] = std::uint64_t(1) << 48;
        for (const char* p = "0123456789.\r\n-+eE"; *p; ++p)
            share[static_cast<unsigned char>(*p)] = 0;
        share[static_cast<unsigned char>(' ')] = 1;
        share[static_cast<unsigned char>('\t')] = std::uint64_t(1) << 16;
        share[static_cast<unsigned char>(',')] = std::uint64_t(1) << 32;
    }
};

constexpr PackedShares kShares;
const std::size_t kLongestRun = 0xFFFF;

bool ScanLine(std::string_view line, LineScan& scan)
{
    const char* p = line.data();
    for (std::size_t left = line.size(); left > 0;) {
        const std::size_t run = left < kLongestRun ? left : kLongestRun;
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i < run; ++i)
            sum += kShares.share[static_cast<unsigned char>(p[i])];
        if (sum >> 48) {
            scan.allData = false;
            return false;
        }
        scan.spaces += sum & 0xFFFF;
        scan.tabs += (sum >> 16) & 0xFFFF;
        scan.commas += (sum >> 32) & 0xFFFF;
        p += run;
        left -= run;
    }
    return true;
}

void ReadSettingsLine(int section, std::string_view fullLine, DataTextSettings& s)
{
    const std::string line(fullLine.substr(0, kMaxSettingsLineLength));
    switch (section) {
    case 2:
        s.title = line;
        break;
    case 3:
        s.xLabel = line;
        break;
    case 4:
        s.yLabel = line;
        break;
    case 5: {
        s.settingsLoaded = 1;
        int* const targets[] = { &s.xIncrements, &s.yIncrements, &s.pointType, &s.pointSize, &s.lineType };
        ReadIntegers(line, targets, 5, true);
        break;
    }
    case 6: {
        int* const targets[] = { &s.lineSize, &s.showGrid };
        ReadIntegers(line, targets, 2, true);
        break;
    }
    case 7:
        ReadScaleLine(line, s.useYScale, s.yMin, s.yMax);
        break;
    case 8:
        ReadScaleLine(line, s.useXScale, s.xMin, s.xMax);
        break;
    default:
        break;
    }
}

LineScan JoinScans(const LineScan& first, const LineScan& second, int n, int& dataCount)
{
    if (first.firstEmpty >= 0 || !first.allData) {
        dataCount = first.firstEmpty >= 0 ? first.firstEmpty : n;
        return first;
    }
    LineScan both = second;
    both.spaces += first.spaces;
    both.tabs += first.tabs;
    both.commas += first.commas;
    dataCount = second.firstEmpty >= 0 ? second.firstEmpty : n;
    return both;
}

// Space, unless strictly more tabs; then comma, if strictly more commas than the winner.
char ChooseSeparator(long long spaces, long long tabs, long long commas)
{
    char separator = ' ';
    long long count = spaces;
    if (tabs > count) {
        separator = '\t';
        count = tabs;
    }
    if (commas > count)
        separator = ',';
    return separator;
}

}  // namespace data_text

DataTextSettings NewDocumentSettings()
{
    return { "Graph Title", "X Axis Label", "Y Axis Label", 5, 4, 1, 0, 1, 0, 1, 0, 0.0, 0.0, 0, 0.0, 0.0, 0 };
}

namespace {

void KeepWithin(int& value, int low, int high, int fallback)
{
    if (value < low || value > high)
        value = fallback;
}

}  // namespace

void BringSettingsIntoRange(DataTextSettings& s)
{
    const DataTextSettings d = NewDocumentSettings();
    // Increments of 1 or less stay: the document chooses them from the data.
    if (s.xIncrements > 10)
        s.xIncrements = d.xIncrements;
    if (s.yIncrements > 10)
        s.yIncrements = d.yIncrements;
    KeepWithin(s.pointType, 0, 3, d.pointType);
    KeepWithin(s.pointSize, 0, 1, d.pointSize);
    KeepWithin(s.lineType, 0, 2, d.lineType);
    KeepWithin(s.lineSize, 0, 1, d.lineSize);
    KeepWithin(s.showGrid, 0, 1, d.showGrid);
    // A flag read as a number is set by any value but 0.
    s.useYScale = s.useYScale != 0;
    s.useXScale = s.useXScale != 0;
}

namespace {

std::string WithoutLineEnds(std::string text)
{
    for (char& ch : text) {
        if (ch == '\r' || ch == '\n')
            ch = ' ';
    }
    return text;
}

}  // namespace

std::string FormatDataLine(std::string_view line)
{
    return WithoutLineEnds(std::string(line)) + "\r\n";
}

std::string FormatDataTextTrailer(const DataTextSettings& s)
{
    // An empty text would read back as a second empty line, and a line end
    // inside one would split it: neither may reach the file.
    auto text = [](const std::string& t) { return t.empty() ? std::string(" ") : WithoutLineEnds(t); };
    std::string out = "\r\n";
    out += text(s.title) + "\r\n";
    out += text(s.xLabel) + "\r\n";
    out += text(s.yLabel) + "\r\n";
    out += FormatInt(s.xIncrements) + " " + FormatInt(s.yIncrements) + " " + FormatInt(s.pointType) + " " +
           FormatInt(s.pointSize) + " " + FormatInt(s.lineType) + "\r\n";
    out += FormatInt(s.lineSize) + " " + FormatInt(s.showGrid) + "\r\n";
    out += FormatInt(s.useYScale) + " " + FormatG(s.yMin) + " " + FormatG(s.yMax) + "\r\n";
    out += FormatInt(s.useXScale) + " " + FormatG(s.xMin) + " " + FormatG(s.xMax);
    return out;
}
