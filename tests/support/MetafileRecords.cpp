#include "tests/support/MetafileRecords.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

// ---------------------------------------------------------------------------
// Decoding

// Records whose parameters are one point, size, rectangle or value.
enum class Layout { Point, Rect, Value, Color, Index };

struct SimpleType {
    DWORD type;
    RecordKind kind;
    Layout layout;
};

const SimpleType kSimpleTypes[] = {
    {EMR_MOVETOEX, RecordKind::MoveTo, Layout::Point},
    {EMR_LINETO, RecordKind::LineTo, Layout::Point},
    {EMR_SETWINDOWEXTEX, RecordKind::SetWindowExt, Layout::Point},
    {EMR_SETWINDOWORGEX, RecordKind::SetWindowOrg, Layout::Point},
    {EMR_SETVIEWPORTEXTEX, RecordKind::SetViewportExt, Layout::Point},
    {EMR_SETVIEWPORTORGEX, RecordKind::SetViewportOrg, Layout::Point},
    {EMR_RECTANGLE, RecordKind::Rectangle, Layout::Rect},
    {EMR_ELLIPSE, RecordKind::Ellipse, Layout::Rect},
    {EMR_SETMAPMODE, RecordKind::SetMapMode, Layout::Value},
    {EMR_SETBKCOLOR, RecordKind::SetBkColor, Layout::Color},
    {EMR_SELECTOBJECT, RecordKind::SelectObject, Layout::Index},
    {EMR_DELETEOBJECT, RecordKind::DeleteObject, Layout::Index},
};

bool Holds(const ENHMETARECORD* pRec, std::size_t bytes)
{
    return pRec->nSize >= bytes;
}

bool DecodeSimple(const ENHMETARECORD* pRec, const SimpleType& simple, Record& rec)
{
    const DWORD* p = pRec->dParm;
    const std::size_t header = offsetof(ENHMETARECORD, dParm);
    switch (simple.layout) {
    case Layout::Point:
        if (!Holds(pRec, header + 8))
            return false;
        rec.pt = {static_cast<LONG>(p[0]), static_cast<LONG>(p[1])};
        break;
    case Layout::Rect:
        if (!Holds(pRec, header + 16))
            return false;
        rec.rect = {static_cast<LONG>(p[0]), static_cast<LONG>(p[1]), static_cast<LONG>(p[2]), static_cast<LONG>(p[3])};
        break;
    case Layout::Value:
    case Layout::Color:
    case Layout::Index:
        if (!Holds(pRec, header + 4))
            return false;
        if (simple.layout == Layout::Value)
            rec.mode = static_cast<int>(static_cast<LONG>(p[0]));
        else if (simple.layout == Layout::Color)
            rec.color = p[0];
        else
            rec.index = p[0];
        break;
    }
    rec.kind = simple.kind;
    return true;
}

RecordKind PolyKind(DWORD type)
{
    return type == EMR_POLYLINETO || type == EMR_POLYLINETO16 ? RecordKind::PolylineTo : RecordKind::Polyline;
}

// EMR_POLYLINE, EMR_POLYLINETO: 32-bit points.
bool DecodePoly32(const ENHMETARECORD* pRec, Record& rec)
{
    const EMRPOLYLINE* p = reinterpret_cast<const EMRPOLYLINE*>(pRec);
    if (!Holds(pRec, offsetof(EMRPOLYLINE, aptl)) ||
        (pRec->nSize - offsetof(EMRPOLYLINE, aptl)) / sizeof(POINTL) < p->cptl)
        return false;
    for (DWORD i = 0; i < p->cptl; ++i)
        rec.points.push_back({p->aptl[i].x, p->aptl[i].y});
    rec.kind = PolyKind(pRec->iType);
    return true;
}

// The 16-bit forms, which the recorder writes whenever every point fits.
bool DecodePoly16(const ENHMETARECORD* pRec, Record& rec)
{
    const EMRPOLYLINE16* p = reinterpret_cast<const EMRPOLYLINE16*>(pRec);
    if (!Holds(pRec, offsetof(EMRPOLYLINE16, apts)) ||
        (pRec->nSize - offsetof(EMRPOLYLINE16, apts)) / sizeof(POINTS) < p->cpts)
        return false;
    for (DWORD i = 0; i < p->cpts; ++i)
        rec.points.push_back({p->apts[i].x, p->apts[i].y});
    rec.kind = PolyKind(pRec->iType);
    return true;
}

std::string AnsiFromWide(const WCHAR* text, int count)
{
    if (count <= 0)
        return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, count, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, count, &result[0], size, nullptr, nullptr);
    return result;
}

// The text and its reference point; offString counts from the start of the
// record. Neither the ETO_ options nor the rectangle are used by TextOut.
bool DecodeText(const ENHMETARECORD* pRec, Record& rec)
{
    if (!Holds(pRec, sizeof(EMREXTTEXTOUTW)))
        return false;
    const EMRTEXT& t = reinterpret_cast<const EMREXTTEXTOUTW*>(pRec)->emrtext;
    const std::size_t bytes = static_cast<std::size_t>(t.nChars) * sizeof(WCHAR);
    if (t.offString > pRec->nSize || pRec->nSize - t.offString < bytes)
        return false;
    std::vector<WCHAR> text(t.nChars);
    if (bytes > 0)
        std::memcpy(text.data(), reinterpret_cast<const char*>(pRec) + t.offString, bytes);
    rec.text = AnsiFromWide(text.data(), static_cast<int>(t.nChars));
    rec.pt = {t.ptlReference.x, t.ptlReference.y};
    rec.kind = RecordKind::TextOut;
    return true;
}

bool DecodePen(const ENHMETARECORD* pRec, Record& rec)
{
    if (!Holds(pRec, sizeof(EMRCREATEPEN)))
        return false;
    const EMRCREATEPEN* p = reinterpret_cast<const EMRCREATEPEN*>(pRec);
    rec.index = p->ihPen;
    rec.pen = {p->lopn.lopnStyle, static_cast<int>(p->lopn.lopnWidth.x), p->lopn.lopnColor};
    rec.kind = RecordKind::CreatePen;
    return true;
}

bool DecodeBrush(const ENHMETARECORD* pRec, Record& rec)
{
    if (!Holds(pRec, sizeof(EMRCREATEBRUSHINDIRECT)))
        return false;
    const EMRCREATEBRUSHINDIRECT* p = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(pRec);
    rec.index = p->ihBrush;
    rec.brush = {p->lb.lbStyle, p->lb.lbColor};
    rec.kind = RecordKind::CreateBrush;
    return true;
}

bool DecodeFont(const ENHMETARECORD* pRec, Record& rec)
{
    if (!Holds(pRec, sizeof(EMREXTCREATEFONTINDIRECTW)))
        return false;
    const EMREXTCREATEFONTINDIRECTW* p = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(pRec);
    const LOGFONTW& lf = p->elfw.elfLogFont;
    rec.index = p->ihFont;
    rec.font.height = lf.lfHeight;
    rec.font.weight = lf.lfWeight;
    rec.font.escapement = lf.lfEscapement;
    int length = 0;
    while (length < LF_FACESIZE && lf.lfFaceName[length] != 0)
        ++length;
    rec.font.face = AnsiFromWide(lf.lfFaceName, length);
    rec.kind = RecordKind::CreateFont;
    return true;
}

// The region travels as RGNDATA: a header of rdh.dwSize bytes, then nCount rectangles.
bool DecodeClip(const ENHMETARECORD* pRec, Record& rec)
{
    const std::size_t dataStart = offsetof(EMREXTSELECTCLIPRGN, RgnData);
    if (!Holds(pRec, dataStart))
        return false;
    const EMREXTSELECTCLIPRGN* p = reinterpret_cast<const EMREXTSELECTCLIPRGN*>(pRec);
    if (p->cbRgnData > pRec->nSize - dataStart)
        return false;
    rec.mode = static_cast<int>(p->iMode);
    rec.kind = RecordKind::ExtSelectClipRgn;
    if (p->cbRgnData == 0)
        return true;
    if (p->cbRgnData < sizeof(RGNDATAHEADER))
        return false;
    const RGNDATAHEADER* rdh = reinterpret_cast<const RGNDATAHEADER*>(p->RgnData);
    if (rdh->dwSize > p->cbRgnData || (p->cbRgnData - rdh->dwSize) / sizeof(RECT) < rdh->nCount)
        return false;
    const RECT* rects = reinterpret_cast<const RECT*>(p->RgnData + rdh->dwSize);
    rec.rects.assign(rects, rects + rdh->nCount);
    rec.hasRegion = true;
    return true;
}

bool DecodeByType(const ENHMETARECORD* pRec, Record& rec)
{
    for (const SimpleType& simple : kSimpleTypes) {
        if (simple.type == pRec->iType)
            return DecodeSimple(pRec, simple, rec);
    }
    switch (pRec->iType) {
    case EMR_POLYLINE:
    case EMR_POLYLINETO:
        return DecodePoly32(pRec, rec);
    case EMR_POLYLINE16:
    case EMR_POLYLINETO16:
        return DecodePoly16(pRec, rec);
    case EMR_EXTTEXTOUTW:
        return DecodeText(pRec, rec);
    case EMR_CREATEPEN:
        return DecodePen(pRec, rec);
    case EMR_CREATEBRUSHINDIRECT:
        return DecodeBrush(pRec, rec);
    case EMR_EXTCREATEFONTINDIRECTW:
        return DecodeFont(pRec, rec);
    case EMR_EXTSELECTCLIPRGN:
        return DecodeClip(pRec, rec);
    default:
        return false;
    }
}

// A record of an unknown type, or one too short for its type, comes back as
// Other with its raw parameters.
Record Decode(const ENHMETARECORD* pRec)
{
    Record rec;
    rec.type = pRec->iType;
    if (!DecodeByType(pRec, rec)) {
        rec = Record();
        rec.type = pRec->iType;
        const std::size_t header = offsetof(ENHMETARECORD, dParm);
        if (pRec->nSize > header)
            rec.params.assign(pRec->dParm, pRec->dParm + (pRec->nSize - header) / sizeof(DWORD));
    }
    return rec;
}

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* pRec, int, LPARAM lParam)
{
    reinterpret_cast<std::vector<Record>*>(lParam)->push_back(Decode(pRec));
    return 1;
}

// ---------------------------------------------------------------------------
// Following the drawing state

struct GdiState {
    PenInfo pen;
    BrushInfo brush;
    FontInfo font;
    COLORREF background = RGB(255, 255, 255);
    POINT pos = {0, 0};
    ClipInfo clip;
};

// A stock object as the metafile names it, described by asking GDI.
Record StockObject(DWORD index)
{
    Record obj;
    obj.index = index;
    HGDIOBJ hObj = GetStockObject(static_cast<int>(index & ~ENHMETA_STOCK_OBJECT));
    LOGPEN lp;
    LOGBRUSH lb;
    LOGFONTA lf;
    switch (GetObjectType(hObj)) {
    case OBJ_PEN:
        if (GetObjectA(hObj, sizeof lp, &lp) == sizeof lp) {
            obj.kind = RecordKind::CreatePen;
            obj.pen = {lp.lopnStyle, static_cast<int>(lp.lopnWidth.x), lp.lopnColor};
        }
        break;
    case OBJ_BRUSH:
        if (GetObjectA(hObj, sizeof lb, &lb) == sizeof lb) {
            obj.kind = RecordKind::CreateBrush;
            obj.brush = {lb.lbStyle, lb.lbColor};
        }
        break;
    case OBJ_FONT:
        if (GetObjectA(hObj, sizeof lf, &lf) == sizeof lf) {
            obj.kind = RecordKind::CreateFont;
            obj.font = {lf.lfHeight, lf.lfWeight, lf.lfEscapement, lf.lfFaceName};
        }
        break;
    default:
        break;
    }
    return obj;
}

std::vector<RECT> RegionRects(HRGN hRgn)
{
    DWORD size = GetRegionData(hRgn, 0, nullptr);
    std::vector<DWORD> buffer((size + sizeof(DWORD) - 1) / sizeof(DWORD) + 1);
    RGNDATA* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (size == 0 || GetRegionData(hRgn, size, data) == 0)
        return std::vector<RECT>();
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

HRGN RegionOf(const std::vector<RECT>& rects)
{
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& rc : rects) {
        HRGN hPart = CreateRectRgnIndirect(&rc);
        CombineRgn(hRgn, hRgn, hPart, RGN_OR);
        DeleteObject(hPart);
    }
    return hRgn;
}

// ExtSelectClipRgn combines the region with the current clip; with no clip
// region selected the whole surface is drawable. No region at all comes only
// with RGN_COPY, and removes the clip.
ClipInfo SelectClip(const ClipInfo& current, const Record& rec)
{
    if (!rec.hasRegion)
        return ClipInfo();
    ClipInfo result;
    result.clipped = true;
    if (rec.mode == RGN_COPY) {
        HRGN hRgn = RegionOf(rec.rects);
        result.rects = RegionRects(hRgn);
        DeleteObject(hRgn);
        return result;
    }
    const int kFar = 1 << 26;
    HRGN hWhole = CreateRectRgn(-kFar, -kFar, kFar, kFar);
    HRGN hOld = current.clipped ? RegionOf(current.rects) : CreateRectRgn(-kFar, -kFar, kFar, kFar);
    HRGN hNew = RegionOf(rec.rects);
    CombineRgn(hOld, hOld, hNew, rec.mode);
    result.clipped = !EqualRgn(hOld, hWhole);
    if (result.clipped)
        result.rects = RegionRects(hOld);
    DeleteObject(hNew);
    DeleteObject(hOld);
    DeleteObject(hWhole);
    return result;
}

// Follows the records that change what the next drawing record draws with.
class StateTracker {
public:
    StateTracker()
    {
        m_state.pen = StockObject(ENHMETA_STOCK_OBJECT | BLACK_PEN).pen;
        m_state.brush = StockObject(ENHMETA_STOCK_OBJECT | WHITE_BRUSH).brush;
        m_state.font = StockObject(ENHMETA_STOCK_OBJECT | SYSTEM_FONT).font;
    }

    const GdiState& State() const { return m_state; }
    void Apply(const Record& rec);

private:
    void Select(DWORD index);

    std::map<DWORD, Record> m_objects;
    GdiState m_state;
};

void StateTracker::Apply(const Record& rec)
{
    switch (rec.kind) {
    case RecordKind::MoveTo:
    case RecordKind::LineTo:
        m_state.pos = rec.pt;
        break;
    case RecordKind::PolylineTo:
        if (!rec.points.empty())
            m_state.pos = rec.points.back();
        break;
    case RecordKind::CreatePen:
    case RecordKind::CreateBrush:
    case RecordKind::CreateFont:
        m_objects[rec.index] = rec;
        break;
    case RecordKind::SelectObject:
        Select(rec.index);
        break;
    case RecordKind::ExtSelectClipRgn:
        m_state.clip = SelectClip(m_state.clip, rec);
        break;
    case RecordKind::SetBkColor:
        m_state.background = rec.color;
        break;
    default:
        break;
    }
}

void StateTracker::Select(DWORD index)
{
    Record stock;
    const Record* pObj = nullptr;
    if (index & ENHMETA_STOCK_OBJECT) {
        stock = StockObject(index);
        pObj = &stock;
    } else {
        auto it = m_objects.find(index);
        if (it != m_objects.end())
            pObj = &it->second;
    }
    if (pObj == nullptr)
        return;
    if (pObj->kind == RecordKind::CreatePen)
        m_state.pen = pObj->pen;
    else if (pObj->kind == RecordKind::CreateBrush)
        m_state.brush = pObj->brush;
    else if (pObj->kind == RecordKind::CreateFont)
        m_state.font = pObj->font;
}

// Calls visit(position, record, state) for each record with the state before it.
template <typename Visit>
void Walk(const std::vector<Record>& records, Visit visit)
{
    StateTracker tracker;
    for (std::size_t i = 0; i < records.size(); ++i) {
        visit(i, records[i], tracker.State());
        tracker.Apply(records[i]);
    }
}

std::vector<Shape> ShapesOfKind(const std::vector<Record>& records, RecordKind kind)
{
    std::vector<Shape> shapes;
    Walk(records, [&](std::size_t position, const Record& rec, const GdiState& state) {
        if (rec.kind != kind)
            return;
        Shape shape{kind, rec.rect, state.pen, state.brush, state.clip, position};
        // Recorded inclusive; hand back the exclusive box the caller passed.
        ++shape.box.right;
        ++shape.box.bottom;
        shapes.push_back(shape);
    });
    return shapes;
}

const char* KindName(RecordKind kind)
{
    static const char* const kNames[] = {
        "MoveTo", "LineTo", "Polyline", "PolylineTo", "Rectangle", "Ellipse", "TextOut", "CreatePen",
        "CreateBrush", "CreateFont", "SelectObject", "DeleteObject", "ExtSelectClipRgn", "SetBkColor",
        "SetMapMode", "SetWindowExt", "SetWindowOrg", "SetViewportExt", "SetViewportOrg", "Other",
    };
    static_assert(sizeof kNames / sizeof kNames[0] == static_cast<std::size_t>(RecordKind::Other) + 1,
                  "one name per kind");
    return kNames[static_cast<std::size_t>(kind)];
}

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(value));
    return text;
}

}  // namespace

std::vector<Record> ReadMetafile(HENHMETAFILE hMeta)
{
    std::vector<Record> records;
    EnumEnhMetaFile(nullptr, hMeta, CollectRecord, &records, nullptr);
    return records;
}

std::vector<Line> LinesDrawnWithPen(const std::vector<Record>& records,
                                    const std::function<bool(const PenInfo&)>& accept)
{
    std::vector<Line> lines;
    Walk(records, [&](std::size_t position, const Record& rec, const GdiState& state) {
        if ((rec.kind != RecordKind::LineTo && rec.kind != RecordKind::Polyline &&
             rec.kind != RecordKind::PolylineTo) ||
            !accept(state.pen))
            return;
        if (rec.kind == RecordKind::LineTo) {
            lines.push_back({state.pos, rec.pt, state.pen, state.clip, position});
        } else {
            POINT from = rec.kind == RecordKind::PolylineTo ? state.pos : POINT{};
            for (std::size_t i = 0; i < rec.points.size(); ++i) {
                if (i > 0 || rec.kind == RecordKind::PolylineTo)
                    lines.push_back({from, rec.points[i], state.pen, state.clip, position});
                from = rec.points[i];
            }
        }
    });
    return lines;
}

std::vector<Line> Lines(const std::vector<Record>& records)
{
    return LinesDrawnWithPen(records, [](const PenInfo&) { return true; });
}

std::vector<TextItem> Texts(const std::vector<Record>& records)
{
    std::vector<TextItem> texts;
    Walk(records, [&](std::size_t position, const Record& rec, const GdiState& state) {
        if (rec.kind == RecordKind::TextOut)
            texts.push_back({rec.text, rec.pt, state.font, state.background, state.clip, position});
    });
    return texts;
}

std::vector<Shape> Rectangles(const std::vector<Record>& records)
{
    return ShapesOfKind(records, RecordKind::Rectangle);
}

std::vector<Shape> Ellipses(const std::vector<Record>& records)
{
    return ShapesOfKind(records, RecordKind::Ellipse);
}

std::vector<Record> UndeletedObjects(const std::vector<Record>& records)
{
    std::map<DWORD, std::size_t> open;  // index -> position of its latest create
    std::vector<std::size_t> unmatched;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& rec = records[i];
        if (rec.kind == RecordKind::CreatePen || rec.kind == RecordKind::CreateBrush ||
            rec.kind == RecordKind::CreateFont) {
            auto it = open.find(rec.index);
            if (it != open.end())
                unmatched.push_back(it->second);  // made again without a delete between
            open[rec.index] = i;
        } else if (rec.kind == RecordKind::DeleteObject) {
            open.erase(rec.index);
        }
    }
    for (const auto& entry : open)
        unmatched.push_back(entry.second);
    std::vector<Record> result(unmatched.size());
    std::sort(unmatched.begin(), unmatched.end());
    for (std::size_t i = 0; i < unmatched.size(); ++i)
        result[i] = records[unmatched[i]];
    return result;
}

std::size_t CountUnmatchedObjects(const std::vector<Record>& records)
{
    return UndeletedObjects(records).size();
}

std::string Describe(const POINT& pt)
{
    return "(" + std::to_string(pt.x) + "," + std::to_string(pt.y) + ")";
}

std::string Describe(const RECT& rc)
{
    return Describe(POINT{rc.left, rc.top}) + "-" + Describe(POINT{rc.right, rc.bottom});
}

std::string Describe(const std::vector<POINT>& points)
{
    std::string text;
    for (const POINT& pt : points)
        text += (text.empty() ? "" : " ") + Describe(pt);
    return text;
}

std::string Describe(const std::vector<RECT>& rects)
{
    std::string text;
    for (const RECT& rc : rects)
        text += (text.empty() ? "" : " ") + Describe(rc);
    return text;
}

std::string Describe(const Record& rec)
{
    std::string text = KindName(rec.kind);
    switch (rec.kind) {
    case RecordKind::MoveTo:
    case RecordKind::LineTo:
    case RecordKind::SetWindowExt:
    case RecordKind::SetWindowOrg:
    case RecordKind::SetViewportExt:
    case RecordKind::SetViewportOrg:
        return text + " " + Describe(rec.pt);
    case RecordKind::Polyline:
    case RecordKind::PolylineTo:
        return text + " " + Describe(rec.points);
    case RecordKind::Rectangle:
    case RecordKind::Ellipse:
        return text + " " + Describe(rec.rect);
    case RecordKind::TextOut:
        return text + " \"" + rec.text + "\" at " + Describe(rec.pt);
    case RecordKind::CreatePen:
        return text + " #" + Hex(rec.index) + " style " + Hex(rec.pen.style) + " width " +
               std::to_string(rec.pen.width) + " colour " + Hex(rec.pen.color);
    case RecordKind::CreateBrush:
        return text + " #" + Hex(rec.index) + " style " + std::to_string(rec.brush.style) + " colour " +
               Hex(rec.brush.color);
    case RecordKind::CreateFont:
        return text + " #" + Hex(rec.index) + " \"" + rec.font.face + "\" height " +
               std::to_string(rec.font.height) + " weight " + std::to_string(rec.font.weight) + " escapement " +
               std::to_string(rec.font.escapement);
    case RecordKind::SelectObject:
    case RecordKind::DeleteObject:
        return text + " #" + Hex(rec.index);
    case RecordKind::ExtSelectClipRgn:
        return text + " mode " + std::to_string(rec.mode) + (rec.hasRegion ? " " + Describe(rec.rects) : " none");
    case RecordKind::SetBkColor:
        return text + " " + Hex(rec.color);
    case RecordKind::SetMapMode:
        return text + " " + std::to_string(rec.mode);
    case RecordKind::Other:
        text += " type " + std::to_string(rec.type) + ":";
        for (DWORD value : rec.params)
            text += " " + Hex(value);
        return text;
    }
    return text;
}

std::string Describe(const std::vector<Record>& records)
{
    std::string text;
    for (const Record& rec : records)
        text += Describe(rec) + "\n";
    return text;
}
