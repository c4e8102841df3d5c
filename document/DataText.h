#pragma once
// The data file's text layout, with no dependence on Windows: the data lines,
// one empty line, the title, the two axis labels and four settings lines.
// The same parser reads pasted text.
#include <cstddef>
#include <string>


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
        return { DataTextFault::TwoBlankLines, 0, ' ' };
    if (n <= 0)
        return { DataTextFault::NotEnoughData, 0, ' ' };
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
                    return { DataTextFault::NotDataFile, 0, ' ' };
                counts[0] += ch == ' ';
                counts[1] += ch == '\t';
                counts[2] += ch == ',';
            }
            continue;
        }
        ++section;
        if (n > limit)
            return { DataTextFault::TwoBlankLines, 0, ' ' };
        data_text::ReadSettingsLine(section, line, settings);
    }
    if (dataCount < 2)
        return { DataTextFault::NotEnoughData, 0, ' ' };
    return { DataTextFault::None, dataCount, data_text::ChooseSeparator(counts[0], counts[1], counts[2]) };
}

// A data line as written to the file, with its line end. A CR inside the
// line (possible in a file read with a lone CR) is written as a space, which
// converts the same, so that the line cannot split when read back.
std::string FormatDataLine(const std::string& line);

// The lines written after the data lines: the empty line, the three texts
// and the settings lines, the last without a line end. An empty text is
// written as one space, so the file never holds a second empty line.
std::string FormatDataTextTrailer(const DataTextSettings& settings);
