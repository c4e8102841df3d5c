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

// A program's version resource. Its strings are looked up under the first
// language and code page of its translation table, as the shell does.
class VersionResource {
public:
    explicit VersionResource(const std::string& path)
    {
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        m_data.resize(size);
        if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, m_data.data()))
            m_data.clear();
        WORD* translation = nullptr;
        UINT length = 0;
        if (!m_data.empty() &&
            VerQueryValueA(m_data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                           &length) &&
            length >= 2 * sizeof(WORD)) {
            char block[32];
            wsprintfA(block, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
            m_block = block;
        }
    }

    bool Found() const { return !m_data.empty(); }

    // The string's text, or "<none>".
    std::string String(const char* key) const
    {
        char* text = nullptr;
        UINT length = 0;
        if (m_block.empty() || !VerQueryValueA(m_data.data(), (m_block + key).c_str(),
                                               reinterpret_cast<void**>(&text), &length))
            return "<none>";
        return std::string(text, strnlen(text, length));
    }

    VS_FIXEDFILEINFO Fixed() const
    {
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (m_data.empty() || !VerQueryValueA(m_data.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
            length < sizeof *info)
            return VS_FIXEDFILEINFO{};
        return *info;
    }

private:
    std::vector<char> m_data;
    std::string m_block;
};

const char* const kPrograms[] = { "plotra.exe", "install.exe" };

}  // namespace

TEST(VersionInfo, BothProgramsSayWhatTheyAreAndWhichBuild)
{
    const std::string version = EXPECTED_VERSION;
    const std::string build = sizeof(void*) == 8 ? "64-bit build" : "32-bit build";
    struct {
        const char* file;
        const char* key;
        std::string expected;
    } const cases[] = {
        /*  0 */ { "plotra.exe", "FileDescription", "PLOTRA Line Graphs" },
        /*  1 */ { "plotra.exe", "ProductName", "PLOTRA Line Graphs" },
        /*  2 */ { "plotra.exe", "ProductVersion", version },
        /*  3 */ { "plotra.exe", "FileVersion", version },
        /*  4 */ { "plotra.exe", "OriginalFilename", "plotra.exe" },
        /*  5 */ { "plotra.exe", "Comments", build },
        /*  6 */ { "install.exe", "FileDescription", "PLOTRA Line Graphs Setup" },
        /*  7 */ { "install.exe", "ProductName", "PLOTRA Line Graphs" },
        /*  8 */ { "install.exe", "ProductVersion", version },
        /*  9 */ { "install.exe", "FileVersion", version },
        /* 10 */ { "install.exe", "OriginalFilename", "install.exe" },
        /* 11 */ { "install.exe", "Comments", build },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        VersionResource resource(DistributionFolder() + cases[i].file);
        ASSERT_TRUE(resource.Found()) << "row " << i << ": " << DistributionFolder() << cases[i].file;
        EXPECT_EQ(cases[i].expected, resource.String(cases[i].key))
            << "row " << i << ": " << cases[i].file << " " << cases[i].key;
    }
}

TEST(VersionInfo, BothProgramsCarryTheVersionNumbersAsApplications)
{
    const DWORD high = MAKELONG(EXPECTED_VERSION_MINOR, EXPECTED_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, EXPECTED_VERSION_PATCH);
    for (const char* program : kPrograms) {
        VS_FIXEDFILEINFO info = VersionResource(DistributionFolder() + program).Fixed();
        EXPECT_EQ(VS_FFI_SIGNATURE, info.dwSignature) << program;
        EXPECT_EQ(high, info.dwFileVersionMS) << program;
        EXPECT_EQ(low, info.dwFileVersionLS) << program;
        EXPECT_EQ(high, info.dwProductVersionMS) << program;
        EXPECT_EQ(low, info.dwProductVersionLS) << program;
        EXPECT_EQ(static_cast<DWORD>(VFT_APP), info.dwFileType) << program;
        EXPECT_EQ(static_cast<DWORD>(VOS_NT_WINDOWS32), info.dwFileOS) << program;
    }
}
