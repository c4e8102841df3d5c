#include "tests/support/TestPrinter.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>

const char kTestPrinterName[] = "Plotra Test Printer";

namespace {

const char kDriverName[] = "Plotra Test PostScript";

std::string LastError(const char* what)
{
    return std::string(what) + " failed with error " + std::to_string(GetLastError());
}

// The PostScript driver needs a printer description; Wine's spooler carries
// a generic one as a resource.
bool ExtractGenericPpd(const std::string& path, std::string& error)
{
    HMODULE hSpool = LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC hRes = hSpool ? FindResourceA(hSpool, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
    if (!hRes) {
        error = "no printer description in winspool.drv";
        return false;
    }
    const char* data = static_cast<const char*>(LockResource(LoadResource(hSpool, hRes)));
    DWORD size = SizeofResource(hSpool, hRes);
    if (const void* nul = std::memchr(data, 0, size))
        size = static_cast<DWORD>(static_cast<const char*>(nul) - data);
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool ok = hFile != INVALID_HANDLE_VALUE && WriteFile(hFile, data, size, &written, nullptr) && written == size;
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    if (!ok)
        error = LastError("writing the printer description");
    return ok;
}

bool InstallDriver(const std::string& ppdPath, std::string& error)
{
    DRIVER_INFO_3A di = {};
    di.cVersion = 3;
    di.pName = const_cast<char*>(kDriverName);
    di.pDriverPath = const_cast<char*>("wineps.drv");
    di.pConfigFile = const_cast<char*>("wineps.drv");
    di.pDataFile = const_cast<char*>(ppdPath.c_str());
    di.pDefaultDataType = const_cast<char*>("RAW");
    if (AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&di), APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) ||
        GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return true;
    error = LastError("AddPrinterDriverEx");
    return false;
}

}  // namespace

bool InstallTestPrinter(const std::string& portPath, std::string& error)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string ppd = std::string(temp) + "plotra_test_printer.ppd";
    if (!ExtractGenericPpd(ppd, error) || !InstallDriver(ppd, error))
        return false;
    // Wine's "winprint" processor takes the RAW data the driver makes (its
    // "wineps" processor does not, and the job then vanishes at EndDoc).
    PRINTER_INFO_2A pi = {};
    pi.pPrinterName = const_cast<char*>(kTestPrinterName);
    pi.pPortName = const_cast<char*>(portPath.c_str());
    pi.pDriverName = const_cast<char*>(kDriverName);
    pi.pPrintProcessor = const_cast<char*>("winprint");
    pi.pDatatype = const_cast<char*>("RAW");
    pi.pParameters = const_cast<char*>("");
    pi.pShareName = const_cast<char*>("");
    pi.pSepFile = const_cast<char*>("");
    pi.pComment = const_cast<char*>("");
    pi.pLocation = const_cast<char*>("");
    HANDLE hPrinter = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
    if (hPrinter)
        ClosePrinter(hPrinter);
    else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) {
        error = LastError("AddPrinter");
        return false;
    }
    if (!SetDefaultPrinterA(kTestPrinterName)) {
        error = LastError("SetDefaultPrinter");
        return false;
    }
    return true;
}
