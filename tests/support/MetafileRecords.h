#pragma once
// Reads back what was drawn into an enhanced metafile, so the renderer's tests
// can check the lines, ticks, texts, markers, pens and clip regions it produced.
// The records are decoded from their bytes, never played. The queries below
// follow the drawing state (position, selected pen, brush and font, clip
// region, text background) the way GDI does while it plays them. Only the
// records the program's drawing writes are decoded, and Polyline for curves
// drawn that way; any other record comes back as Other.
//
// What the metafile DC (Wine's, as checked in MetafileRecordsTest) records:
// - MoveToEx, LineTo, Polyline, Rectangle, Ellipse and TextOut keep their
//   logical coordinates; the mapping calls are recorded as they were made.
// - Rectangle and Ellipse boxes are recorded with right and bottom one less
//   than passed (the box is stored inclusive in GM_COMPATIBLE mode).
// - Polyline is EMR_POLYLINE16 while every point fits in 16 bits.
// - TextOutA is recorded as EMR_EXTTEXTOUTW, its text in UTF-16.
// - Pens, brushes and fonts are recorded when first selected, not when made;
//   one never selected leaves no trace. Regions are not metafile objects:
//   selecting one records its rectangles, in device units.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct PenInfo {
    UINT style = PS_SOLID;
    int width = 0;
    COLORREF color = RGB(0, 0, 0);

    UINT LineStyle() const { return style & PS_STYLE_MASK; }
};

struct BrushInfo {
    UINT style = BS_SOLID;
    COLORREF color = RGB(255, 255, 255);
};

struct FontInfo {
    LONG height = 0;
    LONG weight = 0;
    LONG escapement = 0;  // tenths of a degree
    std::string face;
};

// TextOut and CreateFont are also <windows.h> macros; this header includes it
// first, so the names expand the same way wherever they are used.
enum class RecordKind {
    MoveTo,
    LineTo,
    Polyline,
    PolylineTo,
    Rectangle,
    Ellipse,
    TextOut,
    CreatePen,
    CreateBrush,
    CreateFont,
    SelectObject,
    DeleteObject,
    ExtSelectClipRgn,
    SetBkColor,
    SetMapMode,
    SetWindowExt,
    SetWindowOrg,
    SetViewportExt,
    SetViewportOrg,
    Other
};

// One metafile record. Only the members its kind names are filled in.
struct Record {
    RecordKind kind = RecordKind::Other;
    DWORD type = 0;             // the EMR_ value, for every kind
    POINT pt = {};              // MoveTo, LineTo, TextOut (reference point), Set...Org, Set...Ext (cx, cy)
    RECT rect = {};             // Rectangle, Ellipse (box as recorded)
    std::vector<POINT> points;  // Polyline, PolylineTo
    std::string text;           // TextOut, in the ANSI code page
    DWORD index = 0;            // Create..., SelectObject, DeleteObject; stock objects have ENHMETA_STOCK_OBJECT set
    PenInfo pen;                // CreatePen
    BrushInfo brush;            // CreateBrush
    FontInfo font;              // CreateFont
    int mode = 0;               // ExtSelectClipRgn (RGN_), SetMapMode (MM_)
    COLORREF color = 0;         // SetBkColor
    bool hasRegion = false;     // ExtSelectClipRgn: false for SelectClipRgn(hdc, nullptr)
    std::vector<RECT> rects;    // ExtSelectClipRgn: the region's rectangles, device units
    std::vector<DWORD> params;  // Other: the record's parameters, after iType and nSize
};

// Every record of the metafile, the header and the end record included.
std::vector<Record> ReadMetafile(HENHMETAFILE hMeta);

// The clip region in force when something was drawn, in device units.
struct ClipInfo {
    bool clipped = false;     // false: no clip region selected
    std::vector<RECT> rects;  // the region, as GetRegionData gives it
};

struct Line {
    POINT from;
    POINT to;
    PenInfo pen;
    ClipInfo clip;
    std::size_t record;  // the drawing record's position in the list
};

struct TextItem {
    std::string text;
    POINT pt;  // the reference point as recorded
    FontInfo font;
    COLORREF background;  // the background colour in force
    ClipInfo clip;
    std::size_t record;
};

struct Shape {
    RecordKind kind;  // Rectangle or Ellipse
    RECT box;         // the box as passed to GDI (right and bottom exclusive)
    PenInfo pen;
    BrushInfo brush;
    ClipInfo clip;
    std::size_t record;
};

// Segments drawn by LineTo, Polyline and PolylineTo, one per pair of points,
// each with the pen selected at the time; only those whose pen accept takes.
std::vector<Line> LinesDrawnWithPen(const std::vector<Record>& records,
                                    const std::function<bool(const PenInfo&)>& accept);
std::vector<Line> Lines(const std::vector<Record>& records);
std::vector<TextItem> Texts(const std::vector<Record>& records);
std::vector<Shape> Rectangles(const std::vector<Record>& records);
std::vector<Shape> Ellipses(const std::vector<Record>& records);

// The creating records of pens, brushes and fonts never deleted, in order.
// Indices are reused once deleted, so each delete closes the latest create
// of its index.
std::vector<Record> UndeletedObjects(const std::vector<Record>& records);
std::size_t CountUnmatchedObjects(const std::vector<Record>& records);

// Readable forms for failure messages: "(10,-20)", "(5,-50)-(25,-30)", and one
// line per record.
std::string Describe(const POINT& pt);
std::string Describe(const RECT& rc);
std::string Describe(const std::vector<POINT>& points);
std::string Describe(const std::vector<RECT>& rects);
std::string Describe(const Record& record);
std::string Describe(const std::vector<Record>& records);
