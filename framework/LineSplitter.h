#pragma once
// Splitting archive text into lines, with no dependence on Windows.
//
// A line ends at LF, at CR LF or at a CR alone (as old Macintosh text has
// it), and the line end is not kept. A last line without a line end is read
// too, and text that ends with a line end yields no further empty line.
#include <cstddef>
#include <string>

// Reads the line that starts at pos into line and moves pos past it; false,
// leaving line empty, when pos is already at the end of the text.
bool ReadArchiveLine(const char* text, std::size_t length, std::size_t& pos, std::string& line);
