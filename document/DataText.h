#pragma once
// The data file's text layout, with no dependence on Windows: the data lines,
// one empty line, the title, the two axis labels and four settings lines.
// The same parser reads pasted text.
#include <cstddef>
#include <string>
#include <string_view>

#include "document/DataLines.h"


// The longest line after the data the reader keeps; longer ones are cut.
const std::size_t kMaxSettingsLineLength = 79;
// Files (and pasted texts) longer than this draw a warning, then are read.
const unsigned long kLargeTextWarningSize = 86000;

// Everything the lines after the data may set. The caller fills it with the
// document's current values; the parser changes only what the text sets.
struct DataTextSettings {
    std::string title;
    std::string xLabel;
    std::string yLabel;
    int xIncrements;
    int yIncrements;
    int pointType;
    int pointSize;
    int lineType;
    int lineSize;
    int showGrid;
    int useYScale;
    double yMin;
    double yMax;
    int useXScale;
    double xMin;
    double xMax;
    int settingsLoaded;  // set when the increments line was read
};

// Why a text was refused.
enum class DataTextFault {
    None,
    TwoBlankLines,  // more than one empty line, or more than eight lines after the data
    NotEnoughData,  // no lines, or fewer than two data lines
    NotDataFile,    // a data line with a character no number has
};

// The settings of a new document.
DataTextSettings NewDocumentSettings();

// Brings each setting a text may set into the range the program draws:
// marker and line types and sizes to the choices the Graph Options dialog
// offers, the grid and fixed-scale flags to 0 or 1, the increments to 2 to
// 10. A value outside takes the new document's value. Texts and limits are
// left as they are.
void BringSettingsIntoRange(DataTextSettings& settings);

struct DataTextResult {
    DataTextFault fault;
    int dataCount;   // the data lines: lines 0 to dataCount - 1
    char separator;  // the most frequent separator of the data lines
};

// The parts of the walk below that need no template.
namespace data_text {
void ReadSettingsLine(int section, std::string_view line, DataTextSettings& settings);
char ChooseSeparator(long long spaces, long long tabs, long long commas);

// What lines up to the first empty one hold: whether every character fits a
// number, and the separators among them (a file of 4 GB may hold more than
// 2^31 of one); where the first empty line is, if the walk reached one.
struct LineScan {
    bool allData = true;
    long long spaces = 0;
    long long tabs = 0;
    long long commas = 0;
    int firstEmpty = -1;
};

// Adds the separators of one line to scan; false, with scan.allData false,
// when it holds a byte other than the digits, space, point, CR, LF, tab,
// comma, minus, plus, e and E.
bool ScanLine(std::string_view line, LineScan& scan);

// Walks lines first to last - 1 up to the first empty one or the first
// that is not data.
template <class GetLine>
LineScan ScanLines(int first, int last, GetLine getLine)
{
    LineScan scan;
    for (int i = first; i < last; ++i) {
        const auto& line = getLine(i);
        if (line.empty()) {
            scan.firstEmpty = i;
            break;
        }
        if (!ScanLine(line, scan))
            break;
    }
    return scan;
}

// The data lines of n lines walked in two halves: the first half's walk
// when it reached an empty line, else both; dataCount is where they end.
LineScan JoinScans(const LineScan& first, const LineScan& second, int n, int& dataCount);

// Counts the empty lines from line first on, stopping at two.
template <class GetLine>
int CountEmptyLines(int first, int n, GetLine getLine)
{
    int empty = 0;
    for (int i = first; i < n && empty < 2; ++i)
        empty += getLine(i).empty() ? 1 : 0;
    return empty;
}
}  // namespace data_text

// Walks lines 0 to n - 1 (getLine(i) gives line i as a std::string or a
// std::string_view) and
// takes the data lines and the settings lines after them.
template <class GetLine>
DataTextResult ParseDataText(int n, GetLine getLine, DataTextSettings& settings)
{
    if (n <= 0)
        return { DataTextFault::NotEnoughData, 0, ' ' };
    // The data lines run to the first empty line. One walk, in two halves
    // at once when there are many lines, finds it and checks their characters.
    data_text::LineScan scans[2];
    ForBothHalves(n, kLinesWorthAThread, [&](int half, int first, int last) {
        scans[half] = data_text::ScanLines(first, last, getLine);
    });
    int dataCount = 0;
    const data_text::LineScan scan = data_text::JoinScans(scans[0], scans[1], n, dataCount);
    // Two empty lines are told of before a character that is not data; the
    // lines before the first empty one hold none.
    const int empty = data_text::CountEmptyLines(scan.allData ? dataCount : 0, n, getLine);
    if (empty >= 2)
        return { DataTextFault::TwoBlankLines, 0, ' ' };
    if (!scan.allData)
        return { DataTextFault::NotDataFile, 0, ' ' };
    // At most eight lines may follow the data: the empty one, the three texts
    // and four settings lines.
    if (dataCount < n && n > dataCount + 8)
        return { DataTextFault::TwoBlankLines, 0, ' ' };
    for (int i = dataCount; i < n; ++i)
        data_text::ReadSettingsLine(i - dataCount + 1, getLine(i), settings);
    if (dataCount < 2)
        return { DataTextFault::NotEnoughData, 0, ' ' };
    return { DataTextFault::None, dataCount, data_text::ChooseSeparator(scan.spaces, scan.tabs, scan.commas) };
}

// A data line as written to the file, with its line end. A CR inside the
// line (possible in a file read with a lone CR) is written as a space, which
// converts the same, so that the line cannot split when read back.
std::string FormatDataLine(std::string_view line);

// The lines written after the data lines: the empty line, the three texts
// and the settings lines, the last without a line end. An empty text is
// written as one space, so the file never holds a second empty line.
std::string FormatDataTextTrailer(const DataTextSettings& settings);
