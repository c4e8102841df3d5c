#pragma once
// Parsing the shell's DDE execute command for opening a file, with no
// dependence on Windows: [open("C:\path\file.plr")], case-insensitive in the
// verb, spaces allowed around the parts. Several commands may follow each other.
#include <string>
#include <vector>

// The file names of every open command in the text, in order; empty when the
// text holds no well-formed open command.
std::vector<std::string> ParseDdeOpenCommands(const std::string& text);
