#include "tests/support/TestPrinter.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>

const char kTestPrinterName[] = "Plotra Test Printer";
const char kSecondTestPrinterName[] = "Plotra Second Test Printer";

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

bool InstallTestPrinter(const char* name, const std::string& portPath, bool makeDefault, std::string& error)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string ppd = std::string(temp) + "plotra_test_printer.ppd";
    if (!ExtractGenericPpd(ppd, error) || !InstallDriver(ppd, error))
        return false;
    // Wine's "winprint" processor takes the RAW data the driver makes (its
    // "wineps" processor does not, and the job then vanishes at EndDoc).
    PRINTER_INFO_2A pi = {};
    pi.pPrinterName = const_cast<char*>(name);
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
    if (makeDefault && !SetDefaultPrinterA(name)) {
        error = LastError("SetDefaultPrinter");
        return false;
    }
    return true;
}

namespace {

// The port the printer writes to, as the setup dialog puts it in DEVNAMES.
std::string PortOf(HANDLE hPrinter)
{
    DWORD needed = 0;
    GetPrinterA(hPrinter, 2, nullptr, 0, &needed);
    std::string buffer(needed, '\0');
    if (!needed || !GetPrinterA(hPrinter, 2, reinterpret_cast<BYTE*>(&buffer[0]), needed, &needed))
        return std::string();
    const PRINTER_INFO_2A* pInfo = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    return pInfo->pPortName ? pInfo->pPortName : "";
}

HGLOBAL DevNamesFor(const char* name, const std::string& port)
{
    const char driver[] = "winspool";
    const size_t nameSize = strlen(name) + 1;
    const size_t size = sizeof(DEVNAMES) + sizeof driver + nameSize + port.size() + 1;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    DEVNAMES* p = static_cast<DEVNAMES*>(GlobalLock(h));
    char* base = reinterpret_cast<char*>(p);
    p->wDriverOffset = sizeof(DEVNAMES);
    p->wDeviceOffset = static_cast<WORD>(p->wDriverOffset + sizeof driver);
    p->wOutputOffset = static_cast<WORD>(p->wDeviceOffset + nameSize);
    memcpy(base + p->wDriverOffset, driver, sizeof driver);
    memcpy(base + p->wDeviceOffset, name, nameSize);
    memcpy(base + p->wOutputOffset, port.c_str(), port.size() + 1);
    GlobalUnlock(h);
    return h;
}

HGLOBAL DevModeFor(HANDLE hPrinter, const char* name, short orientation)
{
    LONG size = DocumentPropertiesA(nullptr, hPrinter, const_cast<char*>(name), nullptr, nullptr, 0);
    HGLOBAL h = size > 0 ? GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size) : nullptr;
    DEVMODEA* p = h ? static_cast<DEVMODEA*>(GlobalLock(h)) : nullptr;
    if (p && DocumentPropertiesA(nullptr, hPrinter, const_cast<char*>(name), p, nullptr, DM_OUT_BUFFER) == IDOK) {
        p->dmOrientation = orientation;
        p->dmFields |= DM_ORIENTATION;
    }
    if (p)
        GlobalUnlock(h);
    return h;
}

}  // namespace

bool ChoosePrinter(const char* name, short orientation, PRINTDLGA& pd)
{
    HANDLE hPrinter = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name), &hPrinter, nullptr))
        return false;
    HGLOBAL hMode = DevModeFor(hPrinter, name, orientation);
    std::string port = PortOf(hPrinter);
    ClosePrinter(hPrinter);
    if (!hMode)
        return false;
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    pd.hDevMode = hMode;
    pd.hDevNames = DevNamesFor(name, port);
    return true;
}

bool InstallDefaultTestPrinter(const char* fileName, std::string& error)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return InstallTestPrinter(kTestPrinterName, std::string(temp) + fileName, true, error);
}
