// The metafile reader the renderer's tests rely on: known things are drawn
// into a metafile DC with plain GDI calls, on the view's mapping and on the
// clipboard's, and the decoded records are checked. The checks also pin down
// what Wine's metafile DC records, so a change there shows up here first.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/MetafileRecords.h"

namespace {

const int kWidth = 300;
const int kHeight = 200;

// The two ways the program maps its drawing: the view's MM_ANISOTROPIC one
// unit per pixel with (0, 0) at the bottom left and y growing downward, and
// the clipboard's MM_TEXT with the window origin moved up by the height.
// Either way everything above the bottom edge has a negative y.
enum class Surface { View, Clipboard };

const char* SurfaceName(Surface surface)
{
    return surface == Surface::View ? "view" : "clipboard";
}

HDC BeginMetafile(Surface surface)
{
    HDC hDC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    if (surface == Surface::View) {
        SetMapMode(hDC, MM_ANISOTROPIC);
        SetWindowExtEx(hDC, kWidth, kHeight, nullptr);
        SetViewportExtEx(hDC, kWidth, kHeight, nullptr);
        SetViewportOrgEx(hDC, 0, kHeight, nullptr);
    } else {
        SetWindowOrgEx(hDC, 0, -kHeight, nullptr);
    }
    return hDC;
}

std::vector<Record> EndMetafile(HDC hDC)
{
    HENHMETAFILE hMeta = CloseEnhMetaFile(hDC);
    std::vector<Record> records = ReadMetafile(hMeta);
    DeleteEnhMetaFile(hMeta);
    return records;
}

template <typename Draw>
std::vector<Record> Drawn(Surface surface, Draw draw)
{
    HDC hDC = BeginMetafile(surface);
    draw(hDC);
    return EndMetafile(hDC);
}

std::vector<Record> OfKind(const std::vector<Record>& records, RecordKind kind)
{
    std::vector<Record> found;
    for (const Record& rec : records) {
        if (rec.kind == kind)
            found.push_back(rec);
    }
    return found;
}

std::string Segment(const Line& line)
{
    return Describe(line.from) + "-" + Describe(line.to);
}

std::string Segments(const std::vector<Line>& lines)
{
    std::string text;
    for (const Line& line : lines)
        text += (text.empty() ? "" : " ") + Segment(line);
    return text;
}

// Builds a metafile byte by byte, for what Wine's metafile DC never writes:
// records cut short, an object index made again without a delete.
class MetafileBuilder {
public:
    void Add(DWORD type, const void* params, std::size_t size)
    {
        std::size_t start = m_body.size();
        m_body.resize(start + 8 + (size + 3) / 4 * 4);
        DWORD head[2] = {type, static_cast<DWORD>(m_body.size() - start)};
        std::memcpy(&m_body[start], head, sizeof head);
        if (size > 0)
            std::memcpy(&m_body[start + 8], params, size);
        ++m_nRecords;
    }
    void Add(DWORD type, const std::vector<DWORD>& params)
    {
        Add(type, params.data(), params.size() * sizeof(DWORD));
    }
    // A record whose nSize claims only size bytes of parameters.
    void AddShort(DWORD type, std::size_t size)
    {
        std::vector<DWORD> params(size / 4);
        Add(type, params);
    }
    // The records added, between a header and an end record, read back.
    std::vector<Record> Read()
    {
        Add(EMR_EOF, {0, sizeof(EMREOF) - sizeof(DWORD), sizeof(EMREOF)});  // no palette
        ENHMETAHEADER header = {};
        header.iType = EMR_HEADER;
        header.nSize = sizeof header;
        header.rclBounds = {0, 0, 100, 100};
        header.rclFrame = {0, 0, 2646, 2646};
        header.dSignature = ENHMETA_SIGNATURE;
        header.nVersion = 0x10000;
        header.nBytes = static_cast<DWORD>(sizeof header + m_body.size());
        header.nRecords = m_nRecords + 1;
        header.nHandles = 4;
        header.szlDevice = {1024, 768};
        header.szlMillimeters = {271, 203};
        std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(&header),
                                reinterpret_cast<const BYTE*>(&header) + sizeof header);
        bytes.insert(bytes.end(), m_body.begin(), m_body.end());
        HENHMETAFILE hMeta = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
        EXPECT_NE(nullptr, hMeta) << "the metafile is refused";
        std::vector<Record> records = ReadMetafile(hMeta);
        DeleteEnhMetaFile(hMeta);
        return records;
    }

private:
    std::vector<BYTE> m_body;
    DWORD m_nRecords = 0;
};

}  // namespace

TEST(MetafileRecords, ViewMappingIsRecordedAsCalled)
{
    std::vector<Record> records = Drawn(Surface::View, [](HDC) {});
    ASSERT_EQ(6u, records.size()) << Describe(records);
    EXPECT_EQ(static_cast<DWORD>(EMR_HEADER), records[0].type);
    EXPECT_EQ(RecordKind::SetMapMode, records[1].kind);
    EXPECT_EQ(MM_ANISOTROPIC, records[1].mode);
    EXPECT_EQ(RecordKind::SetWindowExt, records[2].kind);
    EXPECT_EQ("(300,200)", Describe(records[2].pt));
    EXPECT_EQ(RecordKind::SetViewportExt, records[3].kind);
    EXPECT_EQ("(300,200)", Describe(records[3].pt));
    EXPECT_EQ(RecordKind::SetViewportOrg, records[4].kind);
    EXPECT_EQ("(0,200)", Describe(records[4].pt));
    EXPECT_EQ(static_cast<DWORD>(EMR_EOF), records[5].type);
}

TEST(MetafileRecords, ClipboardMappingIsRecordedAsCalled)
{
    std::vector<Record> records = Drawn(Surface::Clipboard, [](HDC) {});
    ASSERT_EQ(3u, records.size()) << Describe(records);
    EXPECT_EQ(RecordKind::SetWindowOrg, records[1].kind);
    EXPECT_EQ("(0,-200)", Describe(records[1].pt));
}

TEST(MetafileRecords, LinesKeepLogicalCoordinatesOnBothSurfaces)
{
    for (Surface surface : {Surface::View, Surface::Clipboard}) {
        std::vector<Record> records = Drawn(surface, [](HDC hDC) {
            MoveToEx(hDC, 10, -20, nullptr);
            LineTo(hDC, 30, -40);
            LineTo(hDC, 30, -5);
        });
        std::vector<Record> moves = OfKind(records, RecordKind::MoveTo);
        std::vector<Record> lineTos = OfKind(records, RecordKind::LineTo);
        ASSERT_EQ(1u, moves.size()) << SurfaceName(surface) << "\n" << Describe(records);
        ASSERT_EQ(2u, lineTos.size()) << SurfaceName(surface) << "\n" << Describe(records);
        EXPECT_EQ(static_cast<DWORD>(EMR_MOVETOEX), moves[0].type);
        EXPECT_EQ("(10,-20)", Describe(moves[0].pt)) << SurfaceName(surface);
        EXPECT_EQ(static_cast<DWORD>(EMR_LINETO), lineTos[0].type);
        EXPECT_EQ("(30,-40)", Describe(lineTos[0].pt)) << SurfaceName(surface);
        std::vector<Line> lines = Lines(records);
        EXPECT_EQ("(10,-20)-(30,-40) (30,-40)-(30,-5)", Segments(lines)) << SurfaceName(surface);
        // Nothing selected: the DC's own pen, BLACK_PEN.
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(static_cast<UINT>(PS_SOLID), lines[0].pen.style) << SurfaceName(surface);
        EXPECT_EQ(0, lines[0].pen.width) << SurfaceName(surface);
        EXPECT_EQ(RGB(0, 0, 0), lines[0].pen.color) << SurfaceName(surface);
    }
}

TEST(MetafileRecords, LinesCarryThePenSelectedWhenDrawn)
{
    std::vector<Record> records = Drawn(Surface::View, [](HDC hDC) {
        HPEN hAxis = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
        HPEN hGrid = CreatePen(PS_DOT, 1, RGB(0, 0, 255));
        HGDIOBJ hOld = SelectObject(hDC, hAxis);
        MoveToEx(hDC, 0, 0, nullptr);
        LineTo(hDC, 100, 0);
        SelectObject(hDC, hGrid);
        LineTo(hDC, 100, -50);
        SelectObject(hDC, hAxis);
        LineTo(hDC, 0, -50);
        SelectObject(hDC, hOld);
        LineTo(hDC, 0, 0);
        DeleteObject(hAxis);
        DeleteObject(hGrid);
    });
    struct Row {
        const char* segment;
        UINT style;
        int width;
        COLORREF color;
    };
    const Row rows[] = {
        /* 0 */ {"(0,0)-(100,0)", PS_SOLID, 2, RGB(255, 0, 0)},
        /* 1 */ {"(100,0)-(100,-50)", PS_DOT, 1, RGB(0, 0, 255)},
        /* 2 */ {"(100,-50)-(0,-50)", PS_SOLID, 2, RGB(255, 0, 0)},
        /* 3 */ {"(0,-50)-(0,0)", PS_SOLID, 0, RGB(0, 0, 0)},  // the DC's own black pen
    };
    std::vector<Line> lines = Lines(records);
    ASSERT_EQ(sizeof rows / sizeof rows[0], lines.size()) << Describe(records);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(rows[i].segment, Segment(lines[i])) << "row " << i;
        EXPECT_EQ(rows[i].style, lines[i].pen.style) << "row " << i;
        EXPECT_EQ(rows[i].width, lines[i].pen.width) << "row " << i;
        EXPECT_EQ(rows[i].color, lines[i].pen.color) << "row " << i;
    }
    std::vector<Line> thick = LinesDrawnWithPen(records, [](const PenInfo& pen) {
        return pen.LineStyle() == PS_SOLID && pen.width == 2;
    });
    EXPECT_EQ("(0,0)-(100,0) (100,-50)-(0,-50)", Segments(thick));
}

TEST(MetafileRecords, PolylineStartsAtItsFirstPointAndPolylineToAtTheCurrentPosition)
{
    std::vector<Record> records = Drawn(Surface::View, [](HDC hDC) {
        MoveToEx(hDC, 1, -1, nullptr);
        const POINT curve[3] = {{10, -10}, {20, -30}, {30, -20}};
        Polyline(hDC, curve, 3);
        LineTo(hDC, 9, -9);  // Polyline leaves the current position alone
        const POINT more[2] = {{40, -40}, {50, -40}};
        PolylineTo(hDC, more, 2);
        LineTo(hDC, 60, -60);  // PolylineTo moves it to its last point
    });
    EXPECT_EQ("(10,-10)-(20,-30) (20,-30)-(30,-20) (1,-1)-(9,-9) (9,-9)-(40,-40) (40,-40)-(50,-40) "
              "(50,-40)-(60,-60)",
              Segments(Lines(records)))
        << Describe(records);
}

TEST(MetafileRecords, PolylineKeepsPointsBeyondSixteenBits)
{
    // The metafile DC writes EMR_POLYLINE16 whenever every point fits in a SHORT.
    struct Row {
        POINT points[3];
        DWORD type;
    };
    const Row rows[] = {
        /* 0 */ {{{0, 0}, {150, -199}, {299, -1}}, EMR_POLYLINE16},
        /* 1 */ {{{-32768, 32767}, {0, 0}, {32767, -32768}}, EMR_POLYLINE16},
        /* 2 */ {{{40000, -1}, {2, -2}, {3, -3}}, EMR_POLYLINE},
        /* 3 */ {{{1, 1}, {2, -70000}, {-32769, 3}}, EMR_POLYLINE},
    };
    for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        std::vector<Record> records = Drawn(Surface::View, [&](HDC hDC) { Polyline(hDC, rows[i].points, 3); });
        std::vector<Record> polylines = OfKind(records, RecordKind::Polyline);
        ASSERT_EQ(1u, polylines.size()) << "row " << i << "\n" << Describe(records);
        EXPECT_EQ(rows[i].type, polylines[0].type) << "row " << i;
        EXPECT_EQ(Describe(std::vector<POINT>(rows[i].points, rows[i].points + 3)), Describe(polylines[0].points))
            << "row " << i;
    }
}

TEST(MetafileRecords, RectangleAndEllipseBoxesAreRecordedInclusive)
{
    // GM_COMPATIBLE leaves out the right and bottom edge, and the record says
    // so: its box ends one unit short of what was passed. Shapes hand back the
    // box as passed, corners put in order.
    for (Surface surface : {Surface::View, Surface::Clipboard}) {
        std::vector<Record> records = Drawn(surface, [](HDC hDC) {
            HPEN hPen = CreatePen(PS_SOLID, 1, RGB(0, 128, 0));
            HBRUSH hBrush = CreateSolidBrush(RGB(200, 100, 50));
            HGDIOBJ hOldPen = SelectObject(hDC, hPen);
            HGDIOBJ hOldBrush = SelectObject(hDC, hBrush);
            Rectangle(hDC, 5, -50, 25, -30);
            Ellipse(hDC, 25, -30, 5, -50);
            SelectObject(hDC, hOldPen);
            SelectObject(hDC, hOldBrush);
            Rectangle(hDC, 0, -8, 8, 0);
            DeleteObject(hPen);
            DeleteObject(hBrush);
        });
        std::vector<Record> rectRecords = OfKind(records, RecordKind::Rectangle);
        std::vector<Record> ellipseRecords = OfKind(records, RecordKind::Ellipse);
        ASSERT_EQ(2u, rectRecords.size()) << SurfaceName(surface) << "\n" << Describe(records);
        ASSERT_EQ(1u, ellipseRecords.size()) << SurfaceName(surface) << "\n" << Describe(records);
        EXPECT_EQ("(5,-50)-(24,-31)", Describe(rectRecords[0].rect)) << SurfaceName(surface);
        EXPECT_EQ("(5,-50)-(24,-31)", Describe(ellipseRecords[0].rect)) << SurfaceName(surface);

        std::vector<Shape> rectangles = Rectangles(records);
        std::vector<Shape> ellipses = Ellipses(records);
        ASSERT_EQ(2u, rectangles.size());
        ASSERT_EQ(1u, ellipses.size());
        EXPECT_EQ("(5,-50)-(25,-30)", Describe(rectangles[0].box)) << SurfaceName(surface);
        EXPECT_EQ(RGB(0, 128, 0), rectangles[0].pen.color) << SurfaceName(surface);
        EXPECT_EQ(RGB(200, 100, 50), rectangles[0].brush.color) << SurfaceName(surface);
        EXPECT_EQ("(5,-50)-(25,-30)", Describe(ellipses[0].box)) << SurfaceName(surface);
        EXPECT_EQ(RGB(200, 100, 50), ellipses[0].brush.color) << SurfaceName(surface);
        EXPECT_EQ("(0,-8)-(8,0)", Describe(rectangles[1].box)) << SurfaceName(surface);
        EXPECT_EQ(RGB(0, 0, 0), rectangles[1].pen.color) << SurfaceName(surface);
        EXPECT_EQ(RGB(255, 255, 255), rectangles[1].brush.color) << SurfaceName(surface);  // WHITE_BRUSH
    }
}

TEST(MetafileRecords, TextOutAComesBackAsItsAnsiTextAtItsLogicalPoint)
{
    // TextOutA is recorded as EMR_EXTTEXTOUTW: the text in UTF-16, converted
    // from the ANSI code page, and the reference point as passed.
    struct Row {
        Surface surface;
        const char* text;
        int x;
        int y;
    };
    const Row rows[] = {
        /* 0 */ {Surface::View, "Hi!", 40, -60},
        /* 1 */ {Surface::Clipboard, "Hi!", 40, -60},
        /* 2 */ {Surface::View, "X Axis Label", 0, 0},
        /* 3 */ {Surface::View, "25\xB0" "C", 150, -199},  // a character outside ASCII
        /* 4 */ {Surface::Clipboard, "", 7, -7},          // recorded all the same, with no characters
    };
    for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        std::vector<Record> records = Drawn(rows[i].surface, [&](HDC hDC) {
            TextOutA(hDC, rows[i].x, rows[i].y, rows[i].text, static_cast<int>(std::strlen(rows[i].text)));
        });
        std::vector<Record> texts = OfKind(records, RecordKind::TextOut);
        ASSERT_EQ(1u, texts.size()) << "row " << i << "\n" << Describe(records);
        EXPECT_EQ(static_cast<DWORD>(EMR_EXTTEXTOUTW), texts[0].type) << "row " << i;
        EXPECT_EQ(rows[i].text, texts[0].text) << "row " << i;
        EXPECT_EQ(Describe(POINT{rows[i].x, rows[i].y}), Describe(texts[0].pt)) << "row " << i;
    }
}

TEST(MetafileRecords, TextsCarryTheSelectedFontAndBackground)
{
    std::vector<Record> records = Drawn(Surface::View, [](HDC hDC) {
        LOGFONTA lf = {};
        lf.lfHeight = -13;
        lf.lfWeight = FW_BOLD;
        lf.lfEscapement = 900;
        lf.lfOrientation = 900;
        std::strcpy(lf.lfFaceName, "Arial");
        HFONT hFont = CreateFontIndirectA(&lf);
        HGDIOBJ hOld = SelectObject(hDC, hFont);
        TextOutA(hDC, 12, -100, "Y Axis Label", 12);
        SelectObject(hDC, hOld);
        SetBkColor(hDC, RGB(10, 20, 30));
        TextOutA(hDC, 50, -190, "Graph Title", 11);
        DeleteObject(hFont);
    });
    std::vector<Record> fonts = OfKind(records, RecordKind::CreateFont);
    ASSERT_EQ(1u, fonts.size()) << Describe(records);
    EXPECT_EQ(static_cast<DWORD>(EMR_EXTCREATEFONTINDIRECTW), fonts[0].type);
    EXPECT_EQ("Arial", fonts[0].font.face);

    std::vector<TextItem> texts = Texts(records);
    ASSERT_EQ(2u, texts.size()) << Describe(records);
    EXPECT_EQ("Y Axis Label", texts[0].text);
    EXPECT_EQ("(12,-100)", Describe(texts[0].pt));
    EXPECT_EQ(-13, texts[0].font.height);
    EXPECT_EQ(FW_BOLD, texts[0].font.weight);
    EXPECT_EQ(900, texts[0].font.escapement);
    EXPECT_EQ("Arial", texts[0].font.face);
    EXPECT_EQ(RGB(255, 255, 255), texts[0].background) << "the DC's own white";

    EXPECT_EQ("Graph Title", texts[1].text);
    EXPECT_NE("Arial", texts[1].font.face) << "the DC's own font is back";
    EXPECT_EQ(0, texts[1].font.escapement);
    EXPECT_EQ(RGB(10, 20, 30), texts[1].background);
}

TEST(MetafileRecords, StockObjectsAreNamedByTheirNumberWithTheHighBit)
{
    std::vector<Record> records = Drawn(Surface::View, [](HDC hDC) {
        SelectObject(hDC, GetStockObject(NULL_BRUSH));
        SelectObject(hDC, GetStockObject(WHITE_PEN));
        SelectObject(hDC, GetStockObject(DEFAULT_GUI_FONT));
        Rectangle(hDC, 0, -10, 10, 0);
    });
    std::vector<Record> selects = OfKind(records, RecordKind::SelectObject);
    ASSERT_EQ(3u, selects.size()) << Describe(records);
    EXPECT_EQ(ENHMETA_STOCK_OBJECT | NULL_BRUSH, selects[0].index);
    EXPECT_EQ(ENHMETA_STOCK_OBJECT | WHITE_PEN, selects[1].index);
    EXPECT_EQ(ENHMETA_STOCK_OBJECT | DEFAULT_GUI_FONT, selects[2].index);
    EXPECT_TRUE(OfKind(records, RecordKind::CreatePen).empty()) << Describe(records);
    std::vector<Shape> rectangles = Rectangles(records);
    ASSERT_EQ(1u, rectangles.size());
    EXPECT_EQ(static_cast<UINT>(BS_NULL), rectangles[0].brush.style);
    EXPECT_EQ(RGB(255, 255, 255), rectangles[0].pen.color);
}

TEST(MetafileRecords, ObjectIsRecordedWhenFirstSelectedAndOnlyOnce)
{
    std::vector<Record> records = Drawn(Surface::View, [](HDC hDC) {
        HPEN hUnused = CreatePen(PS_SOLID, 5, RGB(9, 9, 9));
        HPEN hPen = CreatePen(PS_DASH, 1, RGB(0, 255, 0));
        HGDIOBJ hOld = SelectObject(hDC, hPen);
        SelectObject(hDC, hOld);
        SelectObject(hDC, hPen);
        SelectObject(hDC, hOld);
        DeleteObject(hPen);
        DeleteObject(hUnused);  // never selected: leaves no trace at all
    });
    std::vector<Record> creates = OfKind(records, RecordKind::CreatePen);
    ASSERT_EQ(1u, creates.size()) << Describe(records);
    EXPECT_EQ(static_cast<UINT>(PS_DASH), creates[0].pen.style);
    std::vector<Record> selects = OfKind(records, RecordKind::SelectObject);
    ASSERT_EQ(4u, selects.size()) << Describe(records);
    EXPECT_EQ(creates[0].index, selects[0].index);
    EXPECT_EQ(creates[0].index, selects[2].index);
    std::vector<Record> deletes = OfKind(records, RecordKind::DeleteObject);
    ASSERT_EQ(1u, deletes.size()) << Describe(records);
    EXPECT_EQ(creates[0].index, deletes[0].index);
}

TEST(MetafileRecords, DeletedIndexIsReusedSoDeletesMatchTheLatestCreate)
{
    HPEN hSecond = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
    std::vector<Record> records = Drawn(Surface::View, [&](HDC hDC) {
        HPEN hFirst = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
        HGDIOBJ hOld = SelectObject(hDC, hFirst);
        SelectObject(hDC, hOld);
        DeleteObject(hFirst);
        SelectObject(hDC, hSecond);
        SelectObject(hDC, hOld);
    });
    DeleteObject(hSecond);  // only once the metafile is closed, so no record of it
    std::vector<Record> creates = OfKind(records, RecordKind::CreatePen);
    ASSERT_EQ(2u, creates.size()) << Describe(records);
    EXPECT_EQ(creates[0].index, creates[1].index) << "the freed index is given out again";
    std::vector<Record> undeleted = UndeletedObjects(records);
    ASSERT_EQ(1u, undeleted.size()) << Describe(records);
    EXPECT_EQ(RGB(0, 255, 0), undeleted[0].pen.color);
    EXPECT_EQ(1u, CountUnmatchedObjects(records));
}

TEST(MetafileRecords, EveryObjectDeletedLeavesNoneUnmatched)
{
    std::vector<Record> records = Drawn(Surface::View, [](HDC hDC) {
        HPEN hPen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
        HBRUSH hBrush = CreateSolidBrush(RGB(0, 0, 255));
        HFONT hFont = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        HGDIOBJ hOldPen = SelectObject(hDC, hPen);
        HGDIOBJ hOldBrush = SelectObject(hDC, hBrush);
        HGDIOBJ hOldFont = SelectObject(hDC, hFont);
        SelectObject(hDC, hOldPen);
        SelectObject(hDC, hOldBrush);
        SelectObject(hDC, hOldFont);
        DeleteObject(hPen);
        DeleteObject(hBrush);
        DeleteObject(hFont);
        // Deleting a pen while it is still selected is recorded too.
        HPEN hSelected = CreatePen(PS_SOLID, 1, RGB(1, 1, 1));
        SelectObject(hDC, hSelected);
        DeleteObject(hSelected);
    });
    EXPECT_EQ(4u, OfKind(records, RecordKind::DeleteObject).size()) << Describe(records);
    EXPECT_EQ(0u, CountUnmatchedObjects(records)) << Describe(UndeletedObjects(records));
}

TEST(MetafileRecords, UndeletedObjectsOfEachKindAreReported)
{
    HBRUSH hBrush = CreateSolidBrush(RGB(0, 0, 255));
    HFONT hFont = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    std::vector<Record> records = Drawn(Surface::View, [&](HDC hDC) {
        HGDIOBJ hOldPen = SelectObject(hDC, CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
        HGDIOBJ hOldBrush = SelectObject(hDC, hBrush);
        HGDIOBJ hOldFont = SelectObject(hDC, hFont);
        DeleteObject(SelectObject(hDC, hOldPen));
        // The brush and the font are deselected but not deleted while recording.
        SelectObject(hDC, hOldBrush);
        SelectObject(hDC, hOldFont);
    });
    DeleteObject(hBrush);
    DeleteObject(hFont);
    std::vector<Record> undeleted = UndeletedObjects(records);
    ASSERT_EQ(2u, undeleted.size()) << Describe(records);
    EXPECT_EQ(RecordKind::CreateBrush, undeleted[0].kind);
    EXPECT_EQ(RecordKind::CreateFont, undeleted[1].kind);
}

TEST(MetafileRecords, ClipRegionIsRecordedInDeviceUnits)
{
    // A region is made in device units and recorded as made, whatever the
    // mapping; it is not a metafile object, so it has no index to delete.
    for (Surface surface : {Surface::View, Surface::Clipboard}) {
        std::vector<Record> records = Drawn(surface, [](HDC hDC) {
            HRGN hPlot = CreateRectRgn(10, 20, 110, 70);
            SelectClipRgn(hDC, hPlot);
            HRGN hTwo = CreateRectRgn(0, 0, 50, 30);
            HRGN hOther = CreateRectRgn(60, 40, 100, 60);
            CombineRgn(hTwo, hTwo, hOther, RGN_OR);
            ExtSelectClipRgn(hDC, hTwo, RGN_AND);
            SelectClipRgn(hDC, nullptr);
            DeleteObject(hPlot);
            DeleteObject(hTwo);
            DeleteObject(hOther);
        });
        std::vector<Record> clips = OfKind(records, RecordKind::ExtSelectClipRgn);
        ASSERT_EQ(3u, clips.size()) << SurfaceName(surface) << "\n" << Describe(records);
        EXPECT_EQ(RGN_COPY, clips[0].mode) << SurfaceName(surface);
        EXPECT_TRUE(clips[0].hasRegion) << SurfaceName(surface);
        EXPECT_EQ("(10,20)-(110,70)", Describe(clips[0].rects)) << SurfaceName(surface);
        EXPECT_EQ(RGN_AND, clips[1].mode) << SurfaceName(surface);
        EXPECT_EQ("(0,0)-(50,30) (60,40)-(100,60)", Describe(clips[1].rects)) << SurfaceName(surface);
        EXPECT_EQ(RGN_COPY, clips[2].mode) << SurfaceName(surface);
        EXPECT_FALSE(clips[2].hasRegion) << SurfaceName(surface);
        EXPECT_TRUE(clips[2].rects.empty()) << SurfaceName(surface);
        EXPECT_EQ(0u, CountUnmatchedObjects(records)) << SurfaceName(surface);
    }
}

TEST(MetafileRecords, DrawingCarriesTheClipInForce)
{
    std::vector<Record> records = Drawn(Surface::View, [](HDC hDC) {
        auto mark = [hDC](int x) {
            MoveToEx(hDC, x, 0, nullptr);
            LineTo(hDC, x, -5);
        };
        HRGN hPlot = CreateRectRgn(10, 20, 110, 70);
        HRGN hLeft = CreateRectRgn(0, 0, 50, 200);
        mark(1);
        ExtSelectClipRgn(hDC, hLeft, RGN_OR);  // adds to the whole surface
        mark(2);
        ExtSelectClipRgn(hDC, hPlot, RGN_AND);  // takes from the whole surface
        mark(3);
        SelectClipRgn(hDC, hPlot);
        mark(4);
        ExtSelectClipRgn(hDC, hLeft, RGN_AND);
        mark(5);
        SelectClipRgn(hDC, nullptr);
        mark(6);
        DeleteObject(hPlot);
        DeleteObject(hLeft);
    });
    struct Row {
        bool clipped;
        const char* rects;
    };
    const Row rows[] = {
        /* 0 */ {false, ""},
        /* 1 */ {false, ""},
        /* 2 */ {true, "(10,20)-(110,70)"},
        /* 3 */ {true, "(10,20)-(110,70)"},
        /* 4 */ {true, "(10,20)-(50,70)"},
        /* 5 */ {false, ""},
    };
    std::vector<Line> lines = Lines(records);
    ASSERT_EQ(sizeof rows / sizeof rows[0], lines.size()) << Describe(records);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(rows[i].clipped, lines[i].clip.clipped) << "row " << i;
        EXPECT_EQ(rows[i].rects, Describe(lines[i].clip.rects)) << "row " << i;
    }
}

TEST(MetafileRecords, BackgroundColourIsDecodedAndOtherRecordsKeepTheirParameters)
{
    std::vector<Record> records = Drawn(Surface::View, [](HDC hDC) {
        SetBkColor(hDC, RGB(4, 5, 6));
        SetBkMode(hDC, TRANSPARENT);
    });
    ASSERT_EQ(8u, records.size()) << Describe(records);
    EXPECT_EQ(RecordKind::SetBkColor, records[5].kind);
    EXPECT_EQ(RGB(4, 5, 6), records[5].color);
    EXPECT_EQ(RecordKind::Other, records[6].kind);
    EXPECT_EQ(static_cast<DWORD>(EMR_SETBKMODE), records[6].type);
    EXPECT_EQ(std::vector<DWORD>{TRANSPARENT}, records[6].params);
}

TEST(MetafileRecords, RecordCutShortComesBackAsOther)
{
    MetafileBuilder builder;
    builder.AddShort(EMR_LINETO, 4);  // a point needs 8 bytes
    builder.AddShort(EMR_CREATEPEN, 8);
    builder.AddShort(EMR_EXTSELECTCLIPRGN, 4);
    builder.Add(EMR_EXTSELECTCLIPRGN, {sizeof(RGNDATAHEADER) + sizeof(RECT), RGN_COPY, sizeof(RGNDATAHEADER),
                                       RDH_RECTANGLES, 2, 0, 0, 0, 0, 0, 10, 20, 30, 40});  // claims two rectangles, holds one
    std::vector<Record> records = builder.Read();
    ASSERT_EQ(6u, records.size()) << Describe(records);
    const DWORD types[] = {EMR_LINETO, EMR_CREATEPEN, EMR_EXTSELECTCLIPRGN, EMR_EXTSELECTCLIPRGN};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(RecordKind::Other, records[i + 1].kind) << "row " << i << ": " << Describe(records[i + 1]);
        EXPECT_EQ(types[i], records[i + 1].type) << "row " << i;
    }
    EXPECT_TRUE(Lines(records).empty());
}

TEST(MetafileRecords, IndexMadeAgainWithoutDeleteLeavesTheEarlierObjectUnmatched)
{
    MetafileBuilder builder;
    builder.Add(EMR_CREATEPEN, {1, PS_SOLID, 1, 0, RGB(0, 0, 0)});
    builder.Add(EMR_CREATEBRUSHINDIRECT, {1, BS_SOLID, RGB(0, 0, 0), 0});
    builder.Add(EMR_CREATEPEN, {2, PS_SOLID, 1, 0, RGB(0, 0, 0)});
    builder.Add(EMR_DELETEOBJECT, {2});
    std::vector<Record> undeleted = UndeletedObjects(builder.Read());
    ASSERT_EQ(2u, undeleted.size());
    EXPECT_EQ(RecordKind::CreatePen, undeleted[0].kind);
    EXPECT_EQ(RecordKind::CreateBrush, undeleted[1].kind);
}
