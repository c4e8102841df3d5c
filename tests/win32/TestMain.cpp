// Runs the Win32 tests. They create real windows on the (virtual) display and
// drive them with messages; message boxes and dialogs are answered through
// the framework's hooks (tests/support/AppHarness). A file-backed printer is
// installed first for the printing tests.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/AppHarness.h"
#include "tests/support/TestPrinter.h"

bool g_bTestPrinterReady = false;
std::string g_testPrinterError;

std::string TestPrinterOutput()
{
    return TestFolder() + "\\printed.ps";
}

std::string SecondTestPrinterOutput()
{
    return TestFolder() + "\\printed second.ps";
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    g_bTestPrinterReady = InstallTestPrinter(kTestPrinterName, TestPrinterOutput(), true, g_testPrinterError) &&
                          InstallTestPrinter(kSecondTestPrinterName, SecondTestPrinterOutput(), false, g_testPrinterError);
    if (!g_bTestPrinterReady)
        std::printf("no test printer: %s\n", g_testPrinterError.c_str());
    return RUN_ALL_TESTS();
}
