// The version resources of the distribution's two programs, read back as the
// shell's file properties read them: what each program is, the project's
// version, and the build's architecture.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

// The distribution folder beside the test program.
std::string DistributionFolder()
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    return path.substr(0, path.find_last_of('\\') + 1) + "dist\\";
}

std::vector<char> ReadVersionInfo(const std::string& path)
{
    DWORD handle = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), &handle));
    if (info.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()))
        info.clear();
    return info;
}

// A string under the first language and code page of the translation table,
// where the shell looks; "<none>" when there is none.
std::string String(std::vector<char>& info, const char* key)
{
    WORD* translation = nullptr;
    char* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < 2 * sizeof(WORD))
        return "<none>";
    char path[80];
    wsprintfA(path, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1], key);
    if (!VerQueryValueA(info.data(), path, reinterpret_cast<void**>(&text), &length))
        return "<none>";
    return std::string(text, strnlen(text, length));
}

// The fixed part's file and product versions and file type, as text.
std::string FixedVersions(std::vector<char>& info)
{
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed)
        return "<none>";
    char text[80];
    wsprintfA(text, "%u.%u.%u.%u %u.%u.%u.%u type %u", HIWORD(fixed->dwFileVersionMS),
              LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
              HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
              HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS), fixed->dwFileType);
    return text;
}

}  // namespace

TEST(VersionInfo, BothProgramsSayWhatTheyAreAndWhichBuild)
{
    const std::string version = EXPECTED_VERSION;
    const std::string build = sizeof(void*) == 8 ? "64-bit build" : "32-bit build";
    struct {
        const char* file;
        const char* description;
    } const cases[] = {
        /* 0 */ { "plotra.exe", "PLOTRA Line Graphs" },
        /* 1 */ { "install.exe", "PLOTRA Line Graphs Setup" },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        std::vector<char> info = ReadVersionInfo(DistributionFolder() + cases[i].file);
        ASSERT_FALSE(info.empty()) << "row " << i << ": " << DistributionFolder() << cases[i].file;
        EXPECT_EQ(cases[i].description, String(info, "FileDescription")) << "row " << i;
        EXPECT_EQ("PLOTRA Line Graphs", String(info, "ProductName")) << "row " << i;
        EXPECT_EQ(version, String(info, "ProductVersion")) << "row " << i;
        EXPECT_EQ(version, String(info, "FileVersion")) << "row " << i;
        EXPECT_EQ(cases[i].file, String(info, "OriginalFilename")) << "row " << i;
        EXPECT_EQ(build, String(info, "Comments")) << "row " << i;
        EXPECT_EQ(version + ".0 " + version + ".0 type 1", FixedVersions(info)) << "row " << i;
    }
}
