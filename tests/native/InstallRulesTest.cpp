#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "install/InstallRules.h"

namespace {

// Drives C: (fixed) and A: (removable) exist; D: is a CD-ROM, others are missing.
bool TestDrives(const std::string& root)
{
    return root == "C:\\" || root == "c:\\" || root == "A:\\";
}

}  // namespace

TEST(InstallRules, ChecksDriveColonAndBackslash)
{
    struct {
        const char* path;
        int expected;
    } const cases[] = {
        /* 0 */ { "", kBadDriveLetter },
        /* 1 */ { "Q:\\Plotra", kBadDriveLetter },   // no such drive
        /* 2 */ { "D:\\Plotra", kBadDriveLetter },   // CD-ROM
        /* 3 */ { "1:\\", kBadDriveLetter },
        /* 4 */ { "C;\\x", kMissingColon },
        /* 5 */ { "C:x", kMissingBackslash },
        /* 6 */ { "C:/x", kMissingBackslash },
        /* 7 */ { "C", kMissingColon },              // too short for the colon
        /* 8 */ { "C:", kMissingBackslash },         // too short for the backslash
        /* 9 */ { "C:\\", kTargetOk },
        /* 10 */ { "c:\\Program Files\\Plotra", kTargetOk },
        /* 11 */ { "A:\\x\\", kTargetOk },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].expected, CheckTargetPath(cases[i].path, TestDrives)) << "row " << i << ": " << cases[i].path;
}

TEST(InstallRules, AsksTheDriveOfTheFirstLetterWhateverFollows)
{
    std::vector<std::string> asked;
    auto record = [&](const std::string& root) { asked.push_back(root); return true; };
    CheckTargetPath("C", record);
    CheckTargetPath("x;y", record);
    EXPECT_EQ((std::vector<std::string>{ "C:\\", "x:\\" }), asked);
    EXPECT_EQ("Missing '\\' !", std::string(TargetCheckText(kMissingBackslash)));
}

TEST(InstallRules, DropsTrailingBackslashesButTheRoots)
{
    EXPECT_EQ("C:\\Plotra", NormaliseTarget("C:\\Plotra\\"));
    EXPECT_EQ("C:\\Plotra", NormaliseTarget("C:\\Plotra\\\\\\"));
    EXPECT_EQ("C:\\", NormaliseTarget("C:\\"));
    EXPECT_EQ("C:\\", NormaliseTarget("C:\\\\"));
    EXPECT_EQ("C:\\Plotra\\", WithBackslash("C:\\Plotra"));
    EXPECT_EQ("C:\\", WithBackslash("C:\\"));
}

TEST(InstallRules, ComparesFoldersIgnoringCaseAndTrailingBackslash)
{
    EXPECT_TRUE(SamePath("C:\\Program Files\\Plotra", "c:\\PROGRAM FILES\\plotra\\"));
    EXPECT_FALSE(SamePath("C:\\Plotra", "C:\\Plotra2"));
    EXPECT_FALSE(SamePath("C:\\Plotra\\x", "C:\\Plotra"));
}

TEST(InstallRules, FreeSpaceHoldsLargeDrivesAndAFailedQueryIsNone)
{
    // 8 sectors of 512 bytes, 2^21 clusters: exactly 8 GiB, which is 0 in 32 bits.
    EXPECT_EQ(std::uint64_t(8) * 1024 * 1024, FreeKilobytes(true, 8, 512, 1u << 21));
    EXPECT_EQ(std::uint64_t(0xFFFFFFFFu) * 64 * 4096 / 1024, FreeKilobytes(true, 64, 4096, 0xFFFFFFFFu));
    EXPECT_EQ(0u, FreeKilobytes(true, 1, 512, 1));      // remainder dropped
    EXPECT_EQ(0u, FreeKilobytes(false, 8, 512, 1000000));
}

TEST(InstallRules, RequiresWholeClustersForEachFileAndNeverLessThanTheMinimum)
{
    const std::uint64_t kKB = 1024;
    struct {
        std::vector<std::uint64_t> sizes;
        std::uint64_t clusterBytes;
        std::uint64_t expected;
    } const cases[] = {
        /* 0 */ { { 1, 2, 3, 4, 5, 6 }, 1024, MIN_FREE_KB },
        /* 1 */ { {}, 32 * kKB, MIN_FREE_KB },
        /* 2 */ { { 700 * kKB + 1, 1, 1, 1, 1, 1 }, 1024, 701 + 5 },
        /* 3 */ { { std::uint64_t(5) << 30 }, 4096, 5 * kKB * kKB },
        // 32 KB clusters of a large FAT32 drive: six small files take 192 KB,
        // 100 KB and a byte takes 128 KB.
        /* 4 */ { { 100 * kKB + 1, 100 * kKB + 1, 100 * kKB + 1, 100 * kKB + 1, 1, 1 }, 32 * kKB, 4 * 128 + 2 * 32 },
        /* 5 */ { { 300 * kKB, 300 * kKB + 1 }, 64 * kKB, 320 + 320 },
        /* 6 */ { { 0, 400 * kKB, 400 * kKB + 1, 1 }, 4096, 400 + 404 + 4 },  // an empty file takes none
        // Half-kilobyte clusters of a floppy: two of them are one kilobyte.
        /* 7 */ { { 600 * kKB + 1, 1 }, 512, 601 },
        /* 8 */ { { 600 * kKB + 1, 513 }, 0, 601 },  // no cluster size reported: the bytes as they are
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].expected, RequiredKilobytes(cases[i].sizes, cases[i].clusterBytes)) << "row " << i;
}

TEST(InstallRules, FormsTheProgramManagerCommands)
{
    EXPECT_EQ("[CreateGroup(\"Plotra\")]", CreateGroupCommand(kGroupName));
    EXPECT_EQ("[AddItem(\"C:\\Program Files\\Plotra\\plotra.exe\",\"Plotra Line Graphs\")]",
              AddItemCommand(WithBackslash(kDefaultTarget), g_programItems[0].fileName, g_programItems[0].title));
    // A long target makes a command far longer than 128 characters, kept whole.
    std::string target = "C:\\" + std::string(kMaxTargetLength - 3, 'a');
    std::string command = AddItemCommand(WithBackslash(target), "readme.txt", "Documentation");
    EXPECT_EQ(10u + kMaxTargetLength + 1 + 10 + 3 + 13 + 3, command.size());
    EXPECT_EQ("\\readme.txt\",\"Documentation\")]", command.substr(command.size() - 30));
}

TEST(InstallRules, MessagesQuoteTheDriveAndTheFolder)
{
    EXPECT_EQ("Not enough space on 'E' Drive. Please select another drive..", NotEnoughSpaceText('E'));
    EXPECT_EQ("Cannot create directory C:\\a\\b. Please select another name or drive...",
              CannotCreateText("C:\\a\\b"));
}
