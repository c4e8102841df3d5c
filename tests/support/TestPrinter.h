#pragma once
// Printers for the tests: Wine's own PostScript driver with a file for each
// port, installed into the test prefix, the first made the default, so
// printing and print preview run against real printer contexts and leave
// files.
#include <windows.h>
#include <commdlg.h>

#include <string>

// The printers' names: the default one and a second one.
extern const char kTestPrinterName[];
extern const char kSecondTestPrinterName[];

// Installs (or finds installed) the printer name writing to portPath, and
// makes it the default if asked. False, with the reason in error, when
// Wine's printing pieces are missing.
bool InstallTestPrinter(const char* name, const std::string& portPath, bool makeDefault, std::string& error);

// The default test printer, printing into fileName in the temporary folder,
// for the programs that start plotra.exe and open its Print Preview.
bool InstallDefaultTestPrinter(const char* fileName, std::string& error);

// Fills pd.hDevNames and pd.hDevMode (freeing what they held) as the Print
// Setup dialog would when the user picks printer name with orientation
// (DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE). False when the printer is missing.
bool ChoosePrinter(const char* name, short orientation, PRINTDLGA& pd);
