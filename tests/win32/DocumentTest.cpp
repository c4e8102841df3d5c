// The document skeleton: defaults, reading a file's lines, the save question
// and failures of the framework's load.
#include <gtest/gtest.h>

#include <fstream>
#include <new>
#include <sstream>
#include <cstdint>
#include <string>
#include <vector>

#include "document/PlorDoc.h"
#include "framework/Exception.h"
#include "framework/FrameworkIds.h"
#include "framework/Wnd.h"
#include "tests/support/AppHarness.h"
#include "tests/support/FailingAllocations.h"

TEST(Document, NewDocumentHasDefaultSettings)
{
    AppHarness harness;
    harness.Start();
    CPlorDoc* pDoc = harness.Doc();
    const GraphParams& g = pDoc->m_graph;
    EXPECT_EQ(0, g.pointCount);
    EXPECT_EQ(nullptr, g.xValues);
    EXPECT_EQ(nullptr, g.yValues);
    EXPECT_EQ(1, g.pointType);
    EXPECT_EQ(0, g.pointSize);
    EXPECT_EQ(1, g.lineType);
    EXPECT_EQ(0, g.lineSize);
    EXPECT_EQ(5, g.xIncrements);
    EXPECT_EQ(4, g.yIncrements);
    EXPECT_EQ(0u, g.curveColor);
    EXPECT_EQ(1, g.showGrid);
    EXPECT_STREQ("Graph Title", g.title);
    EXPECT_STREQ("X Axis Label", g.xLabel);
    EXPECT_STREQ("Y Axis Label", g.yLabel);
    EXPECT_EQ(static_cast<const char*>(pDoc->m_strGraphTitle), g.title);
    EXPECT_EQ(',', pDoc->m_separator);
    EXPECT_STREQ(" \t,", pDoc->m_separators);
    EXPECT_EQ(64, pDoc->m_lines.GetSize());
    EXPECT_EQ(64, pDoc->m_lines.GetGrowBy());
    EXPECT_FALSE(pDoc->m_useXScale);
    EXPECT_FALSE(pDoc->m_useYScale);
    EXPECT_FALSE(pDoc->m_settingsLoaded);
}

TEST(Document, ReadsLinesWithEachKindOfLineEnd)
{
    // LF, CR LF, a CR alone, a last line without end.
    std::string path = WriteTestFile("line ends.plr", "1 2\n3 4\r\n5 6\r7 8 9\r\n9 10");
    AppHarness harness;
    harness.Start(path);
    ASSERT_NE(nullptr, harness.Doc());
    const TextLines& lines = harness.Doc()->m_lines;
    EXPECT_STREQ("1 2", lines[0]);
    EXPECT_STREQ("3 4", lines[1]);
    EXPECT_STREQ("5 6", lines[2]);
    EXPECT_STREQ("7 8 9", lines[3]);
    EXPECT_STREQ("9 10", lines[4]);
    EXPECT_EQ(64, lines.GetSize());
}

TEST(Document, ReadsMoreLinesThanTheInitialArrayHolds)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += std::to_string(i) + " 1\r\n";
    AppHarness harness;
    harness.Start(WriteTestFile("many.plr", text));
    EXPECT_EQ(200, harness.Doc()->m_lines.GetSize());
    EXPECT_STREQ("199 1", harness.Doc()->m_lines[199]);
}

TEST(Document, CancelledSaveQuestionKeepsDocument)
{
    std::string path = WriteTestFile("kept.plr", "1 2\r\n3 4");
    AppHarness harness;
    harness.Start(path);
    harness.Doc()->SetModifiedFlag(TRUE);
    harness.answers = { IDCANCEL };
    harness.Command(ID_FILE_NEW);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Save changes to kept.plr?", harness.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), harness.boxes[0].type & MB_TYPEMASK);
    EXPECT_STREQ(path.c_str(), harness.Doc()->GetPathName());
    EXPECT_TRUE(harness.Doc()->IsModified());
    EXPECT_STREQ("1 2", harness.Doc()->m_lines[0]);
}

// Windows asks before the session ends: Cancel in the save question keeps
// the session going; its end writes the recent files, as leaving does.
TEST(Document, SessionEndOffersTheSaveAndWritesTheRecentFiles)
{
    for (int answer : { IDCANCEL, IDNO }) {
        std::string path = WriteTestFile("session.plr", "1 2\r\n3 4");
        AppHarness harness;
        harness.Start(path);
        harness.Doc()->SetModifiedFlag(TRUE);
        harness.answers = { answer };
        HWND hFrame = harness.App().m_pMainWnd->m_hWnd;
        EXPECT_EQ(answer == IDNO, SendMessageA(hFrame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF)) << answer;
        SendMessageA(hFrame, WM_ENDSESSION, answer == IDNO, ENDSESSION_LOGOFF);
        char first[MAX_PATH] = {};
        GetPrivateProfileStringA("Recent File List", "File1", "", first, MAX_PATH, AppHarness::ProfilePath().c_str());
        EXPECT_EQ(answer == IDNO ? path : "", first) << answer;
    }
}

TEST(Document, YesWithCancelledSaveDialogKeepsDocument)
{
    AppHarness harness;
    harness.Start();
    harness.Doc()->SetModifiedFlag(TRUE);
    harness.answers = { IDYES };
    harness.fileNames = { "" };
    harness.Command(ID_FILE_NEW);
    EXPECT_TRUE(harness.fileNames.empty()) << "the save dialog was asked";
    EXPECT_TRUE(harness.Doc()->IsModified());
}

TEST(Document, UnreadableFileLeavesOpenDocumentUntouched)
{
    std::string kept = WriteTestFile("kept.plr", "1 2\r\n3 4");
    AppHarness harness;
    harness.Start(kept);
    // A folder cannot be read as a file.
    harness.fileNames = { TestFolder() };
    harness.Command(ID_FILE_OPEN);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_NE(std::string::npos, harness.boxes[0].text.find(TestFolder()));
    EXPECT_STREQ(kept.c_str(), harness.Doc()->GetPathName());
    EXPECT_STREQ("1 2", harness.Doc()->m_lines[0]);
}

TEST(Document, OpenCancelledInDialogChangesNothing)
{
    AppHarness harness;
    harness.Start();
    harness.fileNames = { "" };
    harness.Command(ID_FILE_OPEN);
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_STREQ("Untitled", harness.Doc()->GetTitle());
}

namespace {

// A document whose writing fails on request, after it has written something.
class CFailingDoc : public CDocument {
public:
    enum Failure { none, fileError, outOfMemory } failure = none;
    void Serialize(CArchive& ar) override
    {
        ar.Write("new", 3);
        if (failure == fileError)
            AfxThrowFileException(CFileException::diskFull);
        if (failure == outOfMemory)
            throw std::bad_alloc();
    }
};

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int FilesIn(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((folder + "\\*").c_str(), &found);
    int count = 0;
    for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = FindNextFileA(hFind, &found))
        count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
    return count;
}

}  // namespace

TEST(Document, FailedSaveKeepsTheOldFileAndLeavesNothingBehind)
{
    AppHarness harness;
    const std::string folder = TestFolder() + "\\save";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\kept.plr";
    // A file of the user's that a fixed temporary name would have taken.
    const std::string neighbour = path + ".~tmp";
    for (const std::string& name : { path, neighbour })
        std::ofstream(name, std::ios::binary) << "old";
    for (CFailingDoc::Failure failure : { CFailingDoc::fileError, CFailingDoc::outOfMemory }) {
        CFailingDoc doc;
        doc.failure = failure;
        harness.boxes.clear();
        EXPECT_FALSE(doc.OnSaveDocument(path.c_str())) << failure;
        EXPECT_EQ(1u, harness.boxes.size()) << failure;
        EXPECT_EQ("old", Contents(path)) << failure;
        EXPECT_EQ(2, FilesIn(folder)) << failure << ": the temporary file is gone";
    }
    CFailingDoc doc;
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    EXPECT_EQ("new", Contents(path));
    EXPECT_EQ("old", Contents(neighbour));
    EXPECT_EQ(2, FilesIn(folder));
}

// A file the program cannot hold (as one of 1 GB in the 32-bit build) is
// refused as points without memory are, at start-up and from the menu, and
// never leaves a document half opened under the old file's name.
TEST(Document, FileTooLargeToHoldIsRefusedAsOutOfMemory)
{
    const std::string big = WriteTestFile("too large.plr", std::string(100000, '1') + " 2");
    const std::string kept = WriteTestFile("kept.plr", "1 2\r\n3 4");
    const std::vector<std::string> expected = { "Plotra may not handle this large file on some machines...",
                                                "Memory not available for graph...",
                                                "An unknown error occurred while accessing " + big + "." };
    for (bool bAtStart : { true, false }) {
        AppHarness harness;
        if (!bAtStart)
            harness.Start(kept);
        harness.fileNames = { big };
        {
            FailingAllocations failing(100000);
            bAtStart ? (void)harness.Start(big) : harness.Command(ID_FILE_OPEN);
        }
        std::vector<std::string> texts;
        for (const RecordedBox& box : harness.boxes)
            texts.push_back(box.text);
        EXPECT_EQ(expected, texts) << "at start " << bAtStart;
        if (bAtStart) {
            EXPECT_EQ(nullptr, harness.App().m_pMainWnd) << "the program ends";
            continue;
        }
        EXPECT_STREQ("", harness.Doc()->GetPathName());
        EXPECT_FALSE(harness.Doc()->IsModified()) << "nothing to save over the old file";
    }
    EXPECT_EQ("1 2\r\n3 4", Contents(kept));
}

// A conversion whose point arrays find no memory is told and resets the
// document; one whose second thread cannot be set up is done by the first.
TEST(Document, ConversionOutOfMemoryIsToldOrWorkedAround)
{
    const int n = 60000;
    struct {
        std::size_t from, to;  // the sizes that fail
        bool failed;
    } const cases[] = {
        /* 0 */ { n * sizeof(float), SIZE_MAX, true },
        /* 1 */ { 1, 1000, false },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        AppHarness harness;
        harness.Start();
        CPlorDoc* pDoc = harness.Doc();
        for (int line = 0; line < n; ++line)
            pDoc->m_lines.SetAtGrow(line, std::to_string(line) + " 3");
        pDoc->m_graph.pointCount = n;
        BOOL failed = FALSE;
        {
            FailingAllocations failing(cases[i].from, cases[i].to);
            ASSERT_NO_THROW(failed = pDoc->ConvertLines()) << "row " << i;
        }
        EXPECT_EQ(cases[i].failed, failed != FALSE) << "row " << i;
        EXPECT_EQ(cases[i].failed ? 0 : n, pDoc->m_graph.pointCount) << "row " << i;
        EXPECT_EQ(cases[i].failed ? 1u : 0u, harness.boxes.size()) << "row " << i;
    }
}
