#pragma once
// The data file's text layout, with no dependence on Windows: the data lines,
// one empty line, the title, the two axis labels and four settings lines.
// The same parser reads pasted text.
#include <cstddef>
#include <string>

#include "app/resource.h"

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

struct DataTextResult {
    unsigned fault;  // 0, or the string id of the message that refuses the text
    int dataCount;   // the data lines: lines 0 to dataCount - 1
    char separator;  // the most frequent separator of the data lines
};

// The parts of the walk below that need no template.
namespace data_text {
// Which bytes a data line may hold: the digits, space, point, CR, LF, tab,
// comma, minus, plus, e and E.
extern const bool (&kIsDataCharacter)[256];
void ReadSettingsLine(int section, const std::string& line, DataTextSettings& settings);
char ChooseSeparator(int spaces, int tabs, int commas);
}  // namespace data_text

// Walks lines 0 to n - 1 (getLine(i) gives line i as a std::string) and
// takes the data lines and the settings lines after them.
template <class GetLine>
DataTextResult ParseDataText(int n, GetLine getLine, DataTextSettings& settings)
{
    int empty = 0;
    for (int i = 0; i < n && empty < 2; ++i)
        empty += getLine(i).empty() ? 1 : 0;
    if (n > 0 && empty >= 2)
        return { IDS_TWO_BLANK_LINES, 0, ' ' };
    if (n <= 0)
        return { IDS_NOT_ENOUGH_DATA, 0, ' ' };
    int dataCount = 0;
    int section = 0;
    int limit = 8;
    int counts[3] = { 0, 0, 0 };  // spaces, tabs, commas
    for (int i = 0; i < n; ++i) {
        const std::string& line = getLine(i);
        if (section == 0 && !line.empty()) {
            ++dataCount;
            ++limit;
            for (char ch : line) {
                if (!data_text::kIsDataCharacter[static_cast<unsigned char>(ch)])
                    return { IDS_NOT_PLOTRA_FILE, 0, ' ' };
                counts[0] += ch == ' ';
                counts[1] += ch == '\t';
                counts[2] += ch == ',';
            }
            continue;
        }
        ++section;
        if (n > limit)
            return { IDS_TWO_BLANK_LINES, 0, ' ' };
        data_text::ReadSettingsLine(section, line, settings);
    }
    if (dataCount < 2)
        return { IDS_NOT_ENOUGH_DATA, 0, ' ' };
    return { 0, dataCount, data_text::ChooseSeparator(counts[0], counts[1], counts[2]) };
}

// A data line as written to the file, with its line end. A CR inside the
// line (possible in a file read with a lone CR) is written as a space, which
// converts the same, so that the line cannot split when read back.
std::string FormatDataLine(const std::string& line);

// The lines written after the data lines: the empty line, the three texts
// and the settings lines, the last without a line end. An empty text is
// written as one space, so the file never holds a second empty line.
std::string FormatDataTextTrailer(const DataTextSettings& settings);
