// The view: the trend line and its equation, Copy and Paste through the real
// clipboard, the Printed Graph Size dialog, the unscalable-data message,
// printing on the test printer and the print preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/MainFrm.h"
#include "app/resource.h"
#include "document/PlorDoc.h"
#include "framework/Dialog.h"
#include "framework/FrameworkIds.h"
#include "framework/PrintInfo.h"
#include "framework/PrintPreviewWnd.h"
#include "framework/UiHooks.h"
#include "graph/PlorView.h"
#include "tests/support/AppHarness.h"
#include "tests/support/FailingAllocations.h"
#include "tests/support/MetafileRecords.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPrinter.h"

extern bool g_bTestPrinterReady;
extern std::string g_testPrinterError;
std::string TestPrinterOutput();
std::string SecondTestPrinterOutput();

namespace {

void Repaint(AppHarness& harness)
{
    RedrawWindow(harness.View()->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    harness.Pump();
}

void PutText(HWND hOwner, const std::string& text)
{
    ASSERT_TRUE(OpenClipboard(hOwner));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(h), text.c_str(), text.size() + 1);
    GlobalUnlock(h);
    SetClipboardData(CF_TEXT, h);
    CloseClipboard();
}

std::vector<Record> ClipboardPicture(HWND hOwner)
{
    std::vector<Record> records;
    if (!OpenClipboard(hOwner))
        return records;
    HENHMETAFILE h = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    if (h)
        records = ReadMetafile(h);
    CloseClipboard();
    return records;
}

bool ClipboardHasPicture()
{
    return IsClipboardFormatAvailable(CF_ENHMETAFILE) != FALSE;
}

// The clipboard's formats in the order EnumClipboardFormats gives them, as
// numbers each with a space on both sides.
std::string ClipboardFormats(HWND hOwner)
{
    std::string formats = " ";
    if (!OpenClipboard(hOwner))
        return formats;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        formats += std::to_string(format) + " ";
    CloseClipboard();
    return formats;
}

const std::string kMetafileFirst = " " + std::to_string(CF_ENHMETAFILE) + " ";
const std::string kBitmap = " " + std::to_string(CF_DIB) + " ";

// The clipboard's CF_DIB read as a program that pastes it would: 24 or 32
// bits per pixel, rows bottom up or top down. Empty in any other layout or
// when the block is too short for its rows.
Picture ClipboardBitmap(HWND hOwner)
{
    Picture picture;
    if (!OpenClipboard(hOwner))
        return picture;
    HGLOBAL hBlock = GetClipboardData(CF_DIB);
    const BITMAPINFOHEADER* h = hBlock ? static_cast<const BITMAPINFOHEADER*>(GlobalLock(hBlock)) : nullptr;
    const int bytes = h ? h->biBitCount / 8 : 0;
    if (h && h->biCompression == BI_RGB && (bytes == 3 || bytes == 4)) {
        const int width = h->biWidth, height = std::abs(h->biHeight);
        const size_t stride = (static_cast<size_t>(width) * bytes + 3) & ~size_t(3);
        const size_t offset = h->biSize + h->biClrUsed * sizeof(RGBQUAD);
        if (offset + stride * height <= GlobalSize(hBlock)) {
            const std::uint8_t* bits = reinterpret_cast<const std::uint8_t*>(h) + offset;
            for (int y = 0; y < height; ++y) {
                const std::uint8_t* row = bits + stride * (h->biHeight > 0 ? height - 1 - y : y);
                for (int x = 0; x < width; ++x, row += bytes)
                    picture.rgb.insert(picture.rgb.end(), { row[2], row[1], row[0] });
            }
            picture.width = width;
            picture.height = height;
        }
    }
    if (h)
        GlobalUnlock(hBlock);
    CloseClipboard();
    return picture;
}

// Sizes the main window so that the view's client area is cx by cy.
void SizeView(AppHarness& harness, int cx, int cy)
{
    RECT frame;
    RECT view;
    GetWindowRect(harness.Frame()->m_hWnd, &frame);
    GetClientRect(harness.View()->m_hWnd, &view);
    SetWindowPos(harness.Frame()->m_hWnd, nullptr, 0, 0, frame.right - frame.left + cx - view.right,
                 frame.bottom - frame.top + cy - view.bottom, SWP_NOMOVE | SWP_NOZORDER);
    harness.Pump();
}

int BlueLines(const std::vector<Record>& records)
{
    auto blue = LinesDrawnWithPen(records, [](const PenInfo& pen) { return pen.color == RGB(0, 0, 255); });
    return static_cast<int>(blue.size());
}

void StartWith(AppHarness& harness, const char* name, const char* text)
{
    ASSERT_TRUE(harness.Start(WriteTestFile(name, text)));
    ASSERT_NE(nullptr, harness.View());
    Repaint(harness);
}

}  // namespace

TEST(View, TrendEquationInPlusAndMinusForms)
{
    struct {
        const char* data;
        const char* equation;
    } const cases[] = {
        /* 0 */ { "1 2\r\n2 4\r\n3 6", "Y = 0 + 2 X" },
        /* 1 */ { "0 5\r\n1 3\r\n2 1", "Y = 5 - 2 X" },
        /* 2 */ { "0 3\r\n1 3\r\n2 3", "Y = 3 + 0 X" },
        // A fixed Y scale of 100 to 200 that the whole line misses.
        /* 3 */ { "1 2\r\n2 4\r\n3 6\r\n\r\nT\r\nX\r\nY\r\n5 4 1 0 1\r\n0 1\r\n1 100 200", "Y = 0 + 2 X" },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        AppHarness harness;
        StartWith(harness, "trend.plr", cases[i].data);
        harness.Command(ID_EDIT_TREND_LINE);
        Repaint(harness);
        EXPECT_TRUE(harness.View()->m_bTrendLine) << "row " << i;
        EXPECT_FALSE(harness.Doc()->IsModified()) << "row " << i << ": the trend line is not document data";
        harness.Command(ID_EDIT_TREND_EQUATION);
        ASSERT_EQ(1u, harness.boxes.size()) << "row " << i;
        EXPECT_EQ(cases[i].equation, harness.boxes[0].text) << "row " << i;
        EXPECT_EQ("Trend Line Equation", harness.boxes[0].caption) << "row " << i;
        EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), harness.boxes[0].type & MB_ICONMASK) << "row " << i;
    }
}

TEST(View, TrendLineOfEqualXSaysWhyThereIsNone)
{
    AppHarness harness;
    StartWith(harness, "vertical.plr", "2 1\r\n2 5\r\n2 9");
    harness.Command(ID_EDIT_TREND_LINE);
    Repaint(harness);
    harness.Command(ID_EDIT_TREND_EQUATION);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ(kNoTrendLineText, harness.boxes[0].text);
    harness.Command(ID_EDIT_COPY);
    EXPECT_EQ(0, BlueLines(ClipboardPicture(harness.View()->m_hWnd)));
}

TEST(View, TrendLineReturnsToOffWithEachDocument)
{
    AppHarness harness;
    StartWith(harness, "trend.plr", "1 2\r\n2 4\r\n3 6");
    harness.Command(ID_EDIT_TREND_LINE);
    harness.App().OpenDocumentFile(WriteTestFile("other.plr", "1 1\r\n2 2").c_str());
    EXPECT_FALSE(harness.View()->m_bTrendLine);
    EXPECT_EQ(6, harness.View()->m_nPrintWidthInches);
}

// The line is fitted even where the plot has no room to draw it.
TEST(View, TrendEquationIsThatOfTheDataShown)
{
    AppHarness harness;
    StartWith(harness, "trend.plr", "0 5\r\n1 3\r\n2 1");
    SizeView(harness, 150, 300);  // too narrow for one division
    harness.Command(ID_EDIT_TREND_LINE);
    Repaint(harness);
    harness.Command(ID_EDIT_TREND_EQUATION);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Y = 5 - 2 X", harness.boxes[0].text);
    // Data that cannot be scaled: no line, but the equation is theirs.
    for (int i = 0; i < 3; ++i)
        harness.Doc()->m_lines.SetAtGrow(i, (std::to_string(i) + " 0").c_str());
    harness.Doc()->ConvertLines();
    Repaint(harness);
    harness.Command(ID_EDIT_TREND_EQUATION);
    EXPECT_EQ("Y = 0 + 0 X", harness.boxes.back().text);
}

TEST(View, CopyPutsThePictureWithOrWithoutTheTrendLine)
{
    AppHarness harness;
    StartWith(harness, "copy.plr", "1 2\r\n2 5\r\n3 6");
    harness.Command(ID_EDIT_COPY);
    ASSERT_TRUE(ClipboardHasPicture());
    // The picture as it was at the Copy, whenever it is asked for.
    harness.Command(ID_EDIT_TREND_LINE);
    Repaint(harness);
    std::vector<Record> plain = ClipboardPicture(harness.View()->m_hWnd);
    EXPECT_FALSE(Texts(plain).empty());
    EXPECT_EQ(0, BlueLines(plain));
    EXPECT_EQ(0u, CountUnmatchedObjects(plain));

    harness.Command(ID_EDIT_COPY);
    std::vector<Record> withTrend = ClipboardPicture(harness.View()->m_hWnd);
    EXPECT_LT(0, BlueLines(withTrend));
    EXPECT_EQ(Rectangles(plain).size(), Rectangles(withTrend).size()) << "the data curve is there too";
}

TEST(View, CopyAlsoPutsTheWindowsPictureAsABitmapAfterTheMetafile)
{
    struct {
        const char* data;
        bool trendLine;
        SIZE client;
    } const cases[] = {
        /* 0 */ { "1 2\r\n2 5\r\n3 6", false, { 600, 400 } },
        /* 1 */ { "1 2\r\n2 5\r\n3 6", true, { 600, 400 } },
        // Rows of 3 * 397 bytes need padding to whole words.
        /* 2 */ { "0 5\r\n1 3\r\n2 1\r\n3 4", true, { 397, 283 } },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        AppHarness harness;
        StartWith(harness, "bitmap.plr", cases[i].data);
        SizeView(harness, cases[i].client.cx, cases[i].client.cy);
        if (cases[i].trendLine)
            harness.Command(ID_EDIT_TREND_LINE);
        Repaint(harness);
        harness.Command(ID_EDIT_COPY);
        HWND hView = harness.View()->m_hWnd;
        const std::string formats = ClipboardFormats(hView);
        EXPECT_EQ(0u, formats.find(kMetafileFirst)) << "row " << i << ": " << formats;
        EXPECT_NE(std::string::npos, formats.find(kBitmap)) << "row " << i << ": " << formats;
        // The view as it paints itself, read back into a DIB section.
        Picture drawn = CaptureWindow(hView, true);
        Picture copied = ClipboardBitmap(hView);
        ASSERT_EQ(cases[i].client.cx, drawn.width) << "row " << i << ": the view's client width";
        ASSERT_EQ(cases[i].client.cy, drawn.height) << "row " << i << ": the view's client height";
        ASSERT_EQ(drawn.width, copied.width) << "row " << i;
        ASSERT_EQ(drawn.height, copied.height) << "row " << i;
        int differing = 0;
        bool blue = false;
        for (size_t p = 0; p < drawn.rgb.size(); p += 3) {
            differing += !std::equal(&drawn.rgb[p], &drawn.rgb[p] + 3, &copied.rgb[p]);
            blue = blue || (copied.rgb[p] == 0 && copied.rgb[p + 1] == 0 && copied.rgb[p + 2] == 255);
        }
        EXPECT_EQ(0, differing) << "row " << i;
        EXPECT_EQ(cases[i].trendLine, blue) << "row " << i << ": the trend line's blue";
        EXPECT_TRUE(harness.boxes.empty()) << "row " << i;
    }
}

TEST(View, CopyOfAMinimizedWindowPutsTheMetafileAlone)
{
    AppHarness harness;
    StartWith(harness, "minimized.plr", "1 2\r\n2 5\r\n3 6");
    ShowWindow(harness.Frame()->m_hWnd, SW_MINIMIZE);
    harness.Pump();
    RECT rc;
    GetClientRect(harness.View()->m_hWnd, &rc);
    ASSERT_EQ(0, rc.right * rc.bottom) << "a minimized frame leaves its view no area";
    harness.Command(ID_EDIT_COPY);
    const std::string formats = ClipboardFormats(harness.View()->m_hWnd);
    EXPECT_EQ(0u, formats.find(kMetafileFirst)) << formats;
    EXPECT_EQ(std::string::npos, formats.find(kBitmap)) << formats;
    EXPECT_TRUE(harness.boxes.empty());
}

TEST(View, CopyNeverDrawsATrendLineLeftFromAnEarlierDrawing)
{
    AppHarness harness;
    StartWith(harness, "first.plr", "1 2\r\n2 4\r\n3 6");
    harness.Command(ID_EDIT_TREND_LINE);
    Repaint(harness);
    harness.App().OpenDocumentFile(WriteTestFile("second.plr", "1 1\r\n2 3").c_str());
    harness.Command(ID_EDIT_COPY);
    const size_t plainLines = Lines(ClipboardPicture(harness.View()->m_hWnd)).size();
    // Switched on, but not yet drawn for this document.
    harness.Command(ID_EDIT_TREND_LINE);
    harness.Command(ID_EDIT_COPY);
    EXPECT_EQ(plainLines, Lines(ClipboardPicture(harness.View()->m_hWnd)).size());
}

TEST(View, PasteOrCopyWhileAnotherProgramHoldsTheClipboardSaysSo)
{
    for (UINT command : { ID_EDIT_PASTE, ID_EDIT_COPY }) {
        AppHarness harness;
        StartWith(harness, "held.plr", "5 6\r\n7 8");
        PutText(harness.View()->m_hWnd, "1 2\r\n3 4");
        HANDLE hOpened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HANDLE hRelease = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread holder([&] {
            BOOL opened = OpenClipboard(nullptr);
            SetEvent(hOpened);
            WaitForSingleObject(hRelease, 10000);
            if (opened)
                CloseClipboard();
        });
        WaitForSingleObject(hOpened, 10000);
        harness.Command(command);
        SetEvent(hRelease);
        holder.join();
        CloseHandle(hOpened);
        CloseHandle(hRelease);
        ASSERT_EQ(1u, harness.boxes.size()) << command;
        EXPECT_EQ("Error in accessing Clipboard...", harness.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), harness.boxes[0].type & MB_ICONMASK);
        EXPECT_STREQ("held.plr", harness.Doc()->GetTitle());
        EXPECT_STREQ("5 6", harness.Doc()->m_lines[0]);
    }
}

// A request for the copied picture that could not be answered (sent while
// no one had the clipboard open, so the picture could not be put there)
// leaves it for the next program that pastes.
TEST(View, CopiedPictureOutlivesARequestThatFailed)
{
    AppHarness harness;
    StartWith(harness, "kept picture.plr", "1 2\r\n2 5\r\n3 6");
    harness.Command(ID_EDIT_COPY);
    SendMessageA(harness.View()->m_hWnd, WM_RENDERFORMAT, CF_ENHMETAFILE, 0);
    EXPECT_FALSE(Lines(ClipboardPicture(harness.View()->m_hWnd)).empty());
}

// Clipboard text the program finds no memory for is refused; the clipboard
// is closed again and the document is as it was.
TEST(View, PasteWithoutMemoryForTheTextChangesNothing)
{
    AppHarness harness;
    StartWith(harness, "before paste.plr", "5 6\r\n7 8");
    PutText(harness.View()->m_hWnd, std::string(10000, '1') + " 2");
    {
        FailingAllocations failing(10000);
        harness.Command(ID_EDIT_PASTE);
    }
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Memory not available for graph...", harness.boxes[0].text);
    EXPECT_STREQ("5 6", harness.Doc()->m_lines[0]);
    EXPECT_TRUE(OpenClipboard(nullptr)) << "the clipboard was left open";
    CloseClipboard();
}

TEST(View, CopyWithoutDataPutsAnEmptyPicture)
{
    AppHarness harness;
    harness.Start();
    harness.Command(ID_EDIT_COPY);
    ASSERT_TRUE(ClipboardHasPicture());
    std::vector<Record> records = ClipboardPicture(harness.View()->m_hWnd);
    EXPECT_TRUE(Lines(records).empty());
    EXPECT_TRUE(Texts(records).empty());
    EXPECT_TRUE(harness.boxes.empty());
}

TEST(View, PasteOfTwoLinesGivesTwoPoints)
{
    AppHarness harness;
    harness.Start();
    PutText(harness.View()->m_hWnd, "1 2\r\n3 4\r\n");
    harness.Command(ID_EDIT_PASTE);
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_EQ(2, harness.Doc()->m_graph.pointCount);
    EXPECT_STREQ("1 2", harness.Doc()->m_lines[0]);
    EXPECT_STREQ("3 4", harness.Doc()->m_lines[1]);
    EXPECT_TRUE(harness.Doc()->IsModified());
    EXPECT_STREQ("Untitled", harness.Doc()->GetTitle());
}

TEST(View, PastedEmptyLineReachesTheParser)
{
    AppHarness harness;
    harness.Start();
    // Data, the empty line, then a title: only one data line.
    PutText(harness.View()->m_hWnd, "1 2\r\n\r\n3 4");
    harness.Command(ID_EDIT_PASTE);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Not enough data to graph...", harness.boxes[0].text);
}

TEST(View, PasteIsGreyedAndDoesNothingForAPictureOnlyClipboard)
{
    AppHarness harness;
    StartWith(harness, "picture.plr", "1 2\r\n3 4");
    harness.Command(ID_EDIT_COPY);
    HMENU hEdit = GetSubMenu(GetMenu(harness.Frame()->m_hWnd), 1);
    SendMessageA(harness.Frame()->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hEdit), 1);
    EXPECT_NE(0u, GetMenuState(hEdit, ID_EDIT_PASTE, MF_BYCOMMAND) & MF_GRAYED);
    harness.Command(ID_EDIT_PASTE);
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_STREQ("picture.plr", harness.Doc()->GetTitle());
}

TEST(View, LargePasteIsWarnedAboutAbove86000Characters)
{
    std::string text;
    while (text.size() < 86000 - 10)
        text += "1 1\r\n";
    text += "2 2";
    text += std::string(86000 - text.size(), '0');
    for (int extra : { 0, 1 }) {
        AppHarness harness;
        harness.Start();
        PutText(harness.View()->m_hWnd, text + std::string(extra, '0'));
        harness.Command(ID_EDIT_PASTE);
        EXPECT_EQ(extra ? 1u : 0u, harness.boxes.size()) << extra;
        if (extra) {
            EXPECT_EQ("Plotra may not handle this large file on some machines...", harness.boxes[0].text);
        }
        EXPECT_LT(1, harness.Doc()->m_graph.pointCount) << "the paste goes on";
    }
}

TEST(View, CancelInTheSaveQuestionKeepsTheDocumentAndEndsThePaste)
{
    AppHarness harness;
    StartWith(harness, "keep me.plr", "5 6\r\n7 8");
    harness.Doc()->SetModifiedFlag(TRUE);
    PutText(harness.View()->m_hWnd, "1 2\r\n3 4\r\n");
    harness.answers = { IDCANCEL };
    harness.Command(ID_EDIT_PASTE);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Save changes to keep me.plr?", harness.boxes[0].text);
    EXPECT_STREQ("keep me.plr", harness.Doc()->GetTitle());
    EXPECT_STREQ("5 6", harness.Doc()->m_lines[0]);
    EXPECT_TRUE(harness.Doc()->IsModified());
}

TEST(View, PrintedGraphSizeDialogShowsAndKeepsTheSizes)
{
    AppHarness harness;
    harness.Start();
    std::vector<std::string> widths;
    std::vector<std::string> heights;
    int selectedWidth = -1;
    int selectedHeight = -1;
    harness.dialogs[IDD_PRINT_SIZE] = [&](CDialog* pDialog) {
        HWND hWidth = GetDlgItem(pDialog->m_hWnd, IDC_WIDTH_LIST);
        HWND hHeight = GetDlgItem(pDialog->m_hWnd, IDC_HEIGHT_LIST);
        char text[16];
        for (int i = 0; i < SendMessageA(hWidth, CB_GETCOUNT, 0, 0); ++i) {
            SendMessageA(hWidth, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            widths.push_back(text);
        }
        for (int i = 0; i < SendMessageA(hHeight, CB_GETCOUNT, 0, 0); ++i) {
            SendMessageA(hHeight, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            heights.push_back(text);
        }
        selectedWidth = static_cast<int>(SendMessageA(hWidth, CB_GETCURSEL, 0, 0));
        selectedHeight = static_cast<int>(SendMessageA(hHeight, CB_GETCURSEL, 0, 0));
        SendMessageA(hWidth, CB_SETCURSEL, 7, 0);   // 10 inches
        SendMessageA(hHeight, CB_SETCURSEL, 0, 0);  // 2 inches
        SendMessageA(GetDlgItem(pDialog->m_hWnd, IDCANCEL), BM_CLICK, 0, 0);
    };
    harness.Command(ID_FILE_SIZE_GRAPH);
    EXPECT_EQ((std::vector<std::string>{ "3", "4", "5", "6", "7", "8", "9", "10" }), widths);
    EXPECT_EQ((std::vector<std::string>{ "2", "3", "4", "5", "6", "7", "8", "9", "10" }), heights);
    EXPECT_EQ(3, selectedWidth) << "6 inches";
    EXPECT_EQ(2, selectedHeight) << "4 inches";
    EXPECT_EQ(6, harness.View()->m_nPrintWidthInches) << "Cancel keeps the sizes";

    harness.dialogs[IDD_PRINT_SIZE] = [](CDialog* pDialog) {
        SendMessageA(GetDlgItem(pDialog->m_hWnd, IDC_WIDTH_LIST), CB_SETCURSEL, 7, 0);
        SendMessageA(GetDlgItem(pDialog->m_hWnd, IDC_HEIGHT_LIST), CB_SETCURSEL, 0, 0);
        SendMessageA(GetDlgItem(pDialog->m_hWnd, IDOK), BM_CLICK, 0, 0);
    };
    harness.Command(ID_FILE_SIZE_GRAPH);
    EXPECT_EQ(10, harness.View()->m_nPrintWidthInches);
    EXPECT_EQ(2, harness.View()->m_nPrintHeightInches);
}

TEST(View, UnscalableDataAreReportedOnceNotAtEveryRepaint)
{
    AppHarness harness;
    // A fixed Y scale of 5 to 5 cannot be scaled.
    StartWith(harness, "unscalable.plr", "1 5\r\n2 6\r\n\r\nT\r\nX\r\nY\r\n5 4 1 0 1\r\n0 1\r\n1 5 5\r\n0 1 2");
    Repaint(harness);
    Repaint(harness);
    ASSERT_EQ(1u, harness.boxes.size());
    EXPECT_EQ("Unable to scale graph with this data...", harness.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), harness.boxes[0].type & MB_ICONMASK);
    if (!g_bTestPrinterReady)
        GTEST_SKIP() << "no printer: " << g_testPrinterError;
    UseDefaultPrinter();
    harness.Command(ID_FILE_PRINT);
    harness.Pump();
    EXPECT_EQ(2u, harness.boxes.size()) << "an empty printed page is told of";
}

TEST(View, PrintingCentresTheGraphAtItsSizeInInches)
{
    if (!g_bTestPrinterReady)
        GTEST_SKIP() << "no printer: " << g_testPrinterError;
    AppHarness harness;
    StartWith(harness, "print.plr", "1 2\r\n2 5\r\n3 6");
    HDC hPrinter = CreateDCA(nullptr, kTestPrinterName, nullptr, nullptr);
    ASSERT_NE(nullptr, hPrinter);
    const int ppiX = GetDeviceCaps(hPrinter, LOGPIXELSX);
    const int ppiY = GetDeviceCaps(hPrinter, LOGPIXELSY);
    const int pageW = GetDeviceCaps(hPrinter, HORZRES);
    const int pageH = GetDeviceCaps(hPrinter, VERTRES);
    struct {
        int widthInches;
        int heightInches;
    } const sizes[] = { { 6, 4 }, { 10, 10 } };
    for (const auto& size : sizes) {
        harness.View()->m_nPrintWidthInches = size.widthInches;
        harness.View()->m_nPrintHeightInches = size.heightInches;
        CDC dc;
        dc.Attach(hPrinter);
        dc.m_bPrinting = TRUE;
        CPrintInfo info;
        harness.View()->OnPrepareDC(&dc, &info);
        POINT origin;
        GetViewportOrgEx(hPrinter, &origin);
        const int W = size.widthInches * ppiX;
        const int H = size.heightInches * ppiY;
        EXPECT_EQ(W, harness.Doc()->m_graph.areaWidth);
        EXPECT_EQ(H, harness.Doc()->m_graph.areaHeight);
        EXPECT_EQ((pageW - W) / 2, origin.x) << "centred, negative when larger than the page";
        EXPECT_EQ((pageH - H) / 2 + H, origin.y);
        dc.Detach();
    }
    DeleteDC(hPrinter);
}

TEST(View, PrintWritesOnePageToThePrinter)
{
    if (!g_bTestPrinterReady)
        GTEST_SKIP() << "no printer: " << g_testPrinterError;
    AppHarness harness;
    StartWith(harness, "print.plr", "1 2\r\n2 5\r\n3 6");
    DeleteFileA(TestPrinterOutput().c_str());
    UseDefaultPrinter();
    harness.Command(ID_FILE_PRINT);
    EXPECT_TRUE(harness.boxes.empty()) << harness.boxes[0].text;
    std::string ps = ReadFileAt(TestPrinterOutput());
    EXPECT_EQ(0u, ps.find("%!PS-Adobe")) << "PostScript from the printer driver";
    EXPECT_NE(std::string::npos, ps.find("%%Pages: 1"));
}

TEST(View, PrintPreviewOpensPagesAndClosesWithEscape)
{
    if (!g_bTestPrinterReady)
        GTEST_SKIP() << "no printer: " << g_testPrinterError;
    AppHarness harness;
    StartWith(harness, "preview.plr", "1 2\r\n2 5\r\n3 6");
    UseDefaultPrinter();
    harness.Command(ID_FILE_PRINT_PREVIEW);
    CPrintPreviewWnd* pPreview = CPrintPreviewWnd::Current();
    ASSERT_NE(nullptr, pPreview);
    EXPECT_FALSE(IsWindowVisible(harness.View()->m_hWnd));
    Picture shown = CaptureWindow(pPreview->m_hWnd, true);
    SavePicture(shown, TestFolder() + "\\preview.png");
    RECT page = pPreview->PageRect();
    // Ink on the page: the graph was drawn into the preview.
    int dark = 0;
    for (int y = page.top; y < page.bottom; ++y) {
        for (int x = page.left; x < page.right; ++x)
            dark += shown.At(x, y) == RGB(0, 0, 0) ? 1 : 0;
    }
    EXPECT_LT(100, dark);

    auto press = [&](WPARAM key) {
        MSG msg = { GetFocus(), WM_KEYDOWN, key, 1, 0, { 0, 0 } };
        if (!harness.App().PreTranslateMessage(&msg))
            DispatchMessageA(&msg);
    };
    press(VK_NEXT);
    press(VK_PRIOR);
    EXPECT_EQ(1u, pPreview->m_nCurrentPage) << "one page";
    // The frame getting the focus back, as when the program is reactivated,
    // hands it to the preview, whose keys would otherwise go to the hidden view.
    SetFocus(nullptr);
    SetFocus(harness.Frame()->m_hWnd);
    EXPECT_EQ(pPreview->m_hWnd, GetFocus());
    press(VK_ESCAPE);
    EXPECT_EQ(nullptr, CPrintPreviewWnd::Current());
    EXPECT_TRUE(IsWindowVisible(harness.View()->m_hWnd));
}

TEST(View, PrintPreviewKeepsALargeGraphOnItsPage)
{
    if (!g_bTestPrinterReady)
        GTEST_SKIP() << "no printer: " << g_testPrinterError;
    AppHarness harness;
    // The curve runs to the plot's top right corner, which at 10 x 10 inches
    // lies beyond the page's right edge.
    StartWith(harness, "wide.plr", "0 0\r\n50 80\r\n100 100");
    harness.View()->m_nPrintWidthInches = 10;
    harness.View()->m_nPrintHeightInches = 10;
    UseDefaultPrinter();
    harness.Command(ID_FILE_PRINT_PREVIEW);
    CPrintPreviewWnd* pPreview = CPrintPreviewWnd::Current();
    ASSERT_NE(nullptr, pPreview);
    Picture shown = CaptureWindow(pPreview->m_hWnd, true);
    RECT page = pPreview->PageRect();
    const COLORREF background = GetSysColor(COLOR_APPWORKSPACE);
    int inkBeside = 0;
    const int shadow = 4;
    for (int y = page.top; y < page.bottom; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            bool onSheet = x >= page.left && x < page.right + shadow;
            inkBeside += !onSheet && shown.At(x, y) != background ? 1 : 0;
        }
    }
    EXPECT_EQ(0, inkBeside) << "nothing drawn on the background beside the sheet";
    pPreview->Close();
}

// The menu stays live under the preview; a change to the drawing shows on its page.
TEST(View, PrintPreviewFollowsChangesMadeWhileItIsOpen)
{
    if (!g_bTestPrinterReady)
        GTEST_SKIP() << "no printer: " << g_testPrinterError;
    for (UINT command : { ID_EDIT_TREND_LINE, ID_FILE_SIZE_GRAPH }) {
        AppHarness harness;
        harness.dialogs[IDD_PRINT_SIZE] = [](CDialog* p) {
            SendMessageA(GetDlgItem(p->m_hWnd, IDC_WIDTH_LIST), CB_SETCURSEL, 0, 0);  // 3 inches wide
            SendMessageA(GetDlgItem(p->m_hWnd, IDOK), BM_CLICK, 0, 0);
        };
        StartWith(harness, "changed.plr", "1 2\r\n2 5\r\n3 6");
        UseDefaultPrinter();
        harness.Command(ID_FILE_PRINT_PREVIEW);
        ASSERT_NE(nullptr, CPrintPreviewWnd::Current());
        HWND hPreview = CPrintPreviewWnd::Current()->m_hWnd;
        Picture before = CaptureWindow(hPreview, true);
        harness.Command(command);
        harness.Pump();
        EXPECT_NE(before.rgb, ReadWindowPixels(hPreview, true).rgb) << command;
    }
}

TEST(View, CopyAfterPrintingIsAtTheWindowsSize)
{
    if (!g_bTestPrinterReady)
        GTEST_SKIP() << "no printer: " << g_testPrinterError;
    AppHarness harness;
    StartWith(harness, "copy size.plr", "1 2\r\n2 5\r\n3 6");
    harness.Command(ID_EDIT_TREND_LINE);
    Repaint(harness);
    harness.Command(ID_EDIT_COPY);
    std::vector<Record> before = ClipboardPicture(harness.View()->m_hWnd);
    UseDefaultPrinter();
    harness.Command(ID_FILE_PRINT);
    harness.Command(ID_EDIT_COPY);
    std::vector<Record> after = ClipboardPicture(harness.View()->m_hWnd);
    ASSERT_FALSE(Texts(before).empty());
    ASSERT_EQ(Texts(before).size(), Texts(after).size());
    for (size_t i = 0; i < Texts(before).size(); ++i)
        EXPECT_EQ(Describe(Texts(before)[i].pt), Describe(Texts(after)[i].pt)) << "text " << i;
    EXPECT_EQ(BlueLines(before), BlueLines(after));
}

TEST(View, PrintSetupChoiceIsUsedForPrintAndPreview)
{
    if (!g_bTestPrinterReady)
        GTEST_SKIP() << "no printer: " << g_testPrinterError;
    AppHarness harness;
    StartWith(harness, "setup.plr", "1 2\r\n2 5\r\n3 6");
    AfxGetUiHooks().printSetup = [](PRINTDLGA& pd) {
        return static_cast<BOOL>(ChoosePrinter(kSecondTestPrinterName, DMORIENT_LANDSCAPE, pd));
    };
    harness.Command(ID_FILE_PRINT_SETUP);
    DeleteFileA(TestPrinterOutput().c_str());
    DeleteFileA(SecondTestPrinterOutput().c_str());
    UseDefaultPrinter();
    harness.Command(ID_FILE_PRINT);
    EXPECT_TRUE(harness.boxes.empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(TestPrinterOutput().c_str())) << "not the default printer";
    std::string ps = ReadFileAt(SecondTestPrinterOutput());
    EXPECT_EQ(0u, ps.find("%!PS-Adobe")) << "the job went to the chosen printer";
    EXPECT_NE(std::string::npos, ps.find("%%Orientation: Landscape"));

    // The preview shows the chosen printer's landscape page, the graph centred on it.
    harness.Command(ID_FILE_PRINT_PREVIEW);
    CPrintPreviewWnd* pPreview = CPrintPreviewWnd::Current();
    ASSERT_NE(nullptr, pPreview);
    RECT page = pPreview->PageRect();
    EXPECT_GT(page.right - page.left, page.bottom - page.top) << Describe(page);
    pPreview->Close();
    HDC hChosen = harness.App().CreateChosenPrinterDC();
    ASSERT_NE(nullptr, hChosen);
    EXPECT_GT(GetDeviceCaps(hChosen, HORZRES), GetDeviceCaps(hChosen, VERTRES));
    DeleteDC(hChosen);
}

// A printer chosen while the preview is open: the preview shows its page.
TEST(View, PrintSetupDuringThePreviewShowsTheChosenPage)
{
    if (!g_bTestPrinterReady)
        GTEST_SKIP() << "no printer: " << g_testPrinterError;
    AppHarness harness;
    StartWith(harness, "setup.plr", "1 2\r\n2 5\r\n3 6");
    UseDefaultPrinter();
    harness.Command(ID_FILE_PRINT_PREVIEW);
    AfxGetUiHooks().printSetup = [](PRINTDLGA& pd) {
        return static_cast<BOOL>(ChoosePrinter(kSecondTestPrinterName, DMORIENT_LANDSCAPE, pd));
    };
    harness.Command(ID_FILE_PRINT_SETUP);
    ASSERT_NE(nullptr, CPrintPreviewWnd::Current());
    RECT page = CPrintPreviewWnd::Current()->PageRect();
    EXPECT_GT(page.right - page.left, page.bottom - page.top) << Describe(page);
    CPrintPreviewWnd::Current()->Close();
}

TEST(View, EmptyDocumentShowsTheDataPromptInAYellowBoxAtTheTopLeft)
{
    AppHarness harness;
    harness.Start();
    CPlorView* pView = harness.View();
    ASSERT_NE(nullptr, pView);
    const char* const lines[4] = {
        "Enter X-Y data by",
        "selecting, 'Graph Data..'",
        "from the 'Edit' menu",
        "or press 'F1' for Help",
    };
    // Drawn as a paint draws the view, into a metafile that measures text on
    // the view's own context. OnPrepareDC maps that context too, so LPtoDP on
    // it turns the records' points into client pixels.
    HDC hWindow = GetDC(pView->m_hWnd);
    SIZE extents[4];
    for (int k = 0; k < 4; ++k)
        GetTextExtentPoint32A(hWindow, lines[k], lstrlenA(lines[k]), &extents[k]);
    HDC hMeta = CreateEnhMetaFileA(hWindow, nullptr, nullptr, nullptr);
    CDC dc;
    dc.m_hDC = hMeta;
    dc.m_hAttribDC = hWindow;
    pView->OnPrepareDC(&dc);
    pView->OnDraw(&dc);
    HENHMETAFILE hPicture = CloseEnhMetaFile(hMeta);
    std::vector<Record> records = ReadMetafile(hPicture);
    DeleteEnhMetaFile(hPicture);
    auto toClient = [hWindow](POINT pt) {
        LPtoDP(hWindow, &pt, 1);
        return pt;
    };
    std::vector<Shape> boxes = Rectangles(records);
    std::vector<TextItem> texts = Texts(records);
    RECT box = {};
    if (boxes.size() == 1) {
        POINT corners[2] = { toClient({ boxes[0].box.left, boxes[0].box.top }),
                             toClient({ boxes[0].box.right, boxes[0].box.bottom }) };
        box = { corners[0].x, corners[0].y, corners[1].x, corners[1].y };
    }
    std::vector<POINT> origins;
    for (const TextItem& t : texts)
        origins.push_back(toClient(t.pt));
    dc.Detach();
    ReleaseDC(pView->m_hWnd, hWindow);

    // Measured by the second line, the widest: the box's left edge and the
    // first line's top one line height in from the window's left and top, the
    // box 3 pixels beyond the four lines on every side.
    const int w = extents[1].cx;
    const int h = extents[1].cy;
    const int firstTop = h;
    const COLORREF yellow = RGB(255, 255, 0);
    const RECT expectedBox = { h, firstTop - 3, h + 3 + w + 3, firstTop + 4 * h + 3 };
    ASSERT_EQ(1u, boxes.size()) << Describe(records);
    EXPECT_EQ(Describe(expectedBox), Describe(box));
    EXPECT_EQ(yellow, boxes[0].brush.color);
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), boxes[0].brush.style);

    // The lines one under the other, 3 pixels in from the box's left edge, on
    // the box's yellow, drawn over the box.
    ASSERT_EQ(4u, texts.size()) << Describe(records);
    for (int k = 0; k < 4; ++k) {
        const POINT expected = { expectedBox.left + 3, firstTop + k * h };
        EXPECT_EQ(lines[k], texts[k].text) << "line " << k;
        EXPECT_EQ(Describe(expected), Describe(origins[k])) << "line " << k;
        EXPECT_LE(extents[k].cx, w) << "line " << k << " fits in the box";
        EXPECT_EQ(yellow, texts[k].background) << "line " << k;
        EXPECT_LT(boxes[0].record, texts[k].record) << "line " << k;
    }
    EXPECT_TRUE(Lines(records).empty()) << "no graph";
}
