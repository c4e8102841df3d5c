#pragma once
// A printer for the tests: Wine's own PostScript driver with a file for its
// port, installed into the test prefix and made the default, so printing and
// print preview run against a real printer context and leave a file.
#include <string>

// The printer's name.
extern const char kTestPrinterName[];

// Installs (or finds installed) the printer writing to portPath. False, with
// the reason in error, when Wine's printing pieces are missing.
bool InstallTestPrinter(const std::string& portPath, std::string& error);
