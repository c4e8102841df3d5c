// The archive reads a file a piece at a time; its lines must come out as the
// line splitter reads the whole text, wherever the pieces end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Archive.h"
#include "framework/LineSplitter.h"
#include "tests/support/AppHarness.h"

namespace {

std::vector<std::string> ReadThroughArchive(const std::string& path)
{
    std::vector<std::string> lines;
    CFile file;
    CFileException error;
    if (!file.Open(path.c_str(), CFile::modeRead, &error))
        return lines;
    CArchive ar(&file, CArchive::load);
    for (CString line; ar.ReadString(line);)
        lines.push_back(line.str());
    return lines;
}

std::vector<std::string> SplitWhole(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    for (std::string line; ReadArchiveLine(text.data(), text.size(), pos, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace

TEST(Archive, LinesAcrossTheReadPiecesComeOutWhole)
{
    // A CR LF across the first 64 KB boundary, a CR and the character it
    // keeps across the second, a line longer than a piece, no end at the end.
    std::string text(65535, 'a');
    text += "\r\n";
    text += std::string(131071 - text.size(), 'b');
    text += "\rxyz\n";
    text += std::string(70000, 'c') + "\n\n3 4\r\n";
    text += std::string(262144 - 1 - text.size(), 'd') + "\r";
    text += "last";
    std::vector<std::string> expected = SplitWhole(text);
    ASSERT_EQ(8u, expected.size());
    std::vector<std::string> lines = ReadThroughArchive(WriteTestFile("pieces.plr", text));
    ASSERT_EQ(expected.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(expected[i], lines[i]) << "line " << i << " of " << expected[i].size() << " characters";
}

TEST(Archive, TextEndingInCarriageReturnGivesNoEmptyLine)
{
    std::vector<std::string> lines = ReadThroughArchive(WriteTestFile("cr end.plr", std::string(65535, '1') + "\r"));
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(65535u, lines[0].size());
}

// Storing more than a 32-bit count holds: every byte reaches the file.
TEST(Archive, StoresMoreThanFourGigabytesWhole)
{
    ULARGE_INTEGER freeBytes = {};
    GetDiskFreeSpaceExA(TestFolder().c_str(), &freeBytes, nullptr, nullptr);
    if (freeBytes.QuadPart < (6ull << 30))
        GTEST_SKIP() << "less than 6 GB free where the tests write their files";
    const std::string path = TestFolder() + "\\over 4 GB.plr";
    const std::string block(1 << 16, '7');
    const unsigned long long blocks = (4ull << 30) / block.size() + 100;
    CFile file;
    CFileException error;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate, &error));
    CArchive ar(&file, CArchive::store);
    for (unsigned long long i = 0; i < blocks; ++i)
        ar.Write(block.data(), block.size());
    ar.Write("end", 3);
    ar.Close();
    EXPECT_EQ(blocks * block.size() + 3, file.GetLength());
    file.Close();
    DeleteFileA(path.c_str());
}
