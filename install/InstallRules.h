#pragma once
// The setup program's rules that need no window: the file and item tables,
// the checks and normalising of the typed target folder, the free-space
// arithmetic and the texts of the Program Manager commands. Includes no
// Windows header, so the rules are tested natively as well.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ProgramItem {
    const char* fileName;
    const char* title;
};

const int kInstallFileCount = 7;
const int kProgramItemCount = 3;
// The files copied, in order, and the Start Menu items made for three of them.
extern const char* const g_installFiles[kInstallFileCount];
extern const ProgramItem g_programItems[kProgramItemCount];
// The two forms of the help: WinHelp, which the table's help item names,
// and HTML Help, for the Windows that no longer has the WinHelp engine.
extern const char* const kWinHelpFile;
extern const char* const kHtmlHelpFile;

extern const char* const kDefaultTarget;
extern const char* const kGroupName;
extern const char* const kInstallTitle;

// Free space below this many kilobytes is never enough.
const std::uint64_t MIN_FREE_KB = 500;
// The longest target that still leaves room, below MAX_PATH (260), for a
// backslash, the longest file name ("plortest.plr") and the closing zero.
const std::size_t kMaxTargetLength = 246;

enum TargetCheck {
    kTargetOk = 0,
    kBadDriveLetter = 1,
    kMissingColon = 2,
    kMissingBackslash = 3,
};

// Tells whether the root ("C:\") names a drive files may be installed on.
using DriveTest = std::function<bool(const std::string& root)>;

// The root of the path's drive: its first character, ':' and '\'.
std::string DriveRoot(const std::string& path);
// Checks the drive letter, the colon and the backslash of a typed target;
// a path too short to have one of them fails on the first one missing.
int CheckTargetPath(const std::string& path, const DriveTest& isInstallDrive);
// The message for a nonzero CheckTargetPath result.
const char* TargetCheckText(int check);
// Drops every trailing backslash except the root's ("C:\" stays as it is).
std::string NormaliseTarget(std::string path);
// The folder with exactly one backslash at its end.
std::string WithBackslash(const std::string& folder);
// Case-insensitive comparison of two full folder paths, trailing backslashes aside.
bool SamePath(const std::string& a, const std::string& b);

// Free kilobytes from a drive query; a failed query counts as none.
std::uint64_t FreeKilobytes(bool queried, std::uint32_t sectorsPerCluster,
                            std::uint32_t bytesPerSector, std::uint32_t freeClusters);
// Kilobytes the files need on a drive of clusterBytes per cluster: each file
// takes whole clusters, the total is rounded up, never below MIN_FREE_KB.
std::uint64_t RequiredKilobytes(const std::vector<std::uint64_t>& fileSizes, std::uint64_t clusterBytes);

// The group's items, the help item opening the HTML Help file when
// bHtmlHelp is set and the WinHelp file otherwise.
std::vector<ProgramItem> ProgramItems(bool bHtmlHelp);

std::string CreateGroupCommand(const std::string& group);
// folder ends in a backslash.
std::string AddItemCommand(const std::string& folder, const std::string& fileName,
                           const std::string& title);

std::string NotEnoughSpaceText(char drive);
std::string CannotCreateText(const std::string& target);
