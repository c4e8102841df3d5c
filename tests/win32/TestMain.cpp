// Runs the Win32 tests. They create real windows on the (virtual) display and
// drive them with messages; message boxes and dialogs are answered through
// the framework's hooks (tests/support/AppHarness).
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
