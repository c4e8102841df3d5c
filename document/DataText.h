#pragma once
// The data file's text layout, with no dependence on Windows: the data lines,
// one empty line, the title, the two axis labels and four settings lines.
// The same parser reads pasted text.
#include <functional>
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

struct DataTextResult {
    unsigned fault;  // 0, or the string id of the message that refuses the text
    int dataCount;   // the data lines: lines 0 to dataCount - 1
    char separator;  // the most frequent separator of the data lines
};

// Walks lines 0 to n - 1 (getLine(i) gives line i) and takes the data lines
// and the settings lines after them.
DataTextResult ParseDataText(int n, const std::function<const std::string&(int)>& getLine,
                             DataTextSettings& settings);

// A data line as written to the file, with its line end. A CR inside the
// line (possible in a file read with a lone CR) is written as a space, which
// converts the same, so that the line cannot split when read back.
std::string FormatDataLine(const std::string& line);

// The lines written after the data lines: the empty line, the three texts
// and the settings lines, the last without a line end. An empty text is
// written as one space, so the file never holds a second empty line.
std::string FormatDataTextTrailer(const DataTextSettings& settings);
