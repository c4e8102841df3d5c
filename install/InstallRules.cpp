#include "install/InstallRules.h"

#include <cctype>

const char* const g_installFiles[kInstallFileCount] = {
    "plotra.exe", "plotra.hlp", "plotra.cnt", "plotra.chm", "readme.txt", "plortest.plr", "elect.plr",
};

const char* const kWinHelpFile = "plotra.hlp";
const char* const kHtmlHelpFile = "plotra.chm";

const ProgramItem g_programItems[kProgramItemCount] = {
    { "plotra.exe", "Plotra Line Graphs" },
    { "plotra.hlp", "Plotra Help" },
    { "readme.txt", "Documentation" },
};

const char* const kDefaultTarget = "C:\\Program Files\\Plotra";
const char* const kGroupName = "Plotra";
const char* const kInstallTitle = "Plotra Line Graphs";

std::string DriveRoot(const std::string& path)
{
    return std::string(1, path.empty() ? '\0' : path[0]) + ":\\";
}

int CheckTargetPath(const std::string& path, const DriveTest& isInstallDrive)
{
    if (path.empty() || !isInstallDrive(DriveRoot(path)))
        return kBadDriveLetter;
    if (path.size() < 2 || path[1] != ':')
        return kMissingColon;
    if (path.size() < 3 || path[2] != '\\')
        return kMissingBackslash;
    return kTargetOk;
}

const char* TargetCheckText(int check)
{
    switch (check) {
    case kBadDriveLetter: return "Drive letter incorrect !";
    case kMissingColon: return "Missing ':' !";
    case kMissingBackslash: return "Missing '\\' !";
    default: return "";
    }
}

std::string NormaliseTarget(std::string path)
{
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string WithBackslash(const std::string& folder)
{
    return !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
}

bool SamePath(const std::string& a, const std::string& b)
{
    std::string left = WithBackslash(a);
    std::string right = WithBackslash(b);
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(left[i])) != std::toupper(static_cast<unsigned char>(right[i])))
            return false;
    }
    return true;
}

std::uint64_t FreeKilobytes(bool queried, std::uint32_t sectorsPerCluster,
                            std::uint32_t bytesPerSector, std::uint32_t freeClusters)
{
    if (!queried)
        return 0;
    return std::uint64_t(sectorsPerCluster) * bytesPerSector * freeClusters / 1024;
}

std::uint64_t RequiredKilobytes(const std::vector<std::uint64_t>& fileSizes, std::uint64_t clusterBytes)
{
    if (clusterBytes == 0)  // a drive that reports no cluster: the sizes as they are
        clusterBytes = 1;
    std::uint64_t bytes = 0;
    for (std::uint64_t size : fileSizes)
        bytes += (size + clusterBytes - 1) / clusterBytes * clusterBytes;
    std::uint64_t total = (bytes + 1023) / 1024;
    return total < MIN_FREE_KB ? MIN_FREE_KB : total;
}

std::vector<ProgramItem> ProgramItems(bool bHtmlHelp)
{
    std::vector<ProgramItem> items(g_programItems, g_programItems + kProgramItemCount);
    for (ProgramItem& item : items) {
        if (bHtmlHelp && std::string(item.fileName) == kWinHelpFile)
            item.fileName = kHtmlHelpFile;
    }
    return items;
}

std::string CreateGroupCommand(const std::string& group)
{
    return "[CreateGroup(\"" + group + "\")]";
}

std::string AddItemCommand(const std::string& folder, const std::string& fileName,
                           const std::string& title)
{
    return "[AddItem(\"" + folder + fileName + "\",\"" + title + "\")]";
}

std::string NotEnoughSpaceText(char drive)
{
    return std::string("Not enough space on '") + drive + "' Drive. Please select another drive..";
}

std::string CannotCreateText(const std::string& target)
{
    return "Cannot create directory " + target + ". Please select another name or drive...";
}
