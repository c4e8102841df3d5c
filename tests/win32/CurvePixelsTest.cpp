// The curve drawn from what shows of it against the curve drawn point by
// point: both into 32-bit DIB sections, pixel for pixel, for every line and
// marker type, thin and wide pens, screen, printer pens and a scaled
// preview, and data of several kinds, some beyond the scale.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "framework/MetaFileDC.h"
#include "framework/PrintPreviewWnd.h"
#include "graph/GraphRenderer.h"
#include "tests/support/MetafileRecords.h"
#include "tests/support/TestGraph.h"

namespace {

struct Bitmap {
    int width;
    int height;
    std::vector<std::uint32_t> pixels;
};

// The device to draw on: the screen's mapping, the same with the printer's
// pens and text, or the print preview's scaled drawing context.
enum class Device { Screen, Printer, Preview };

const char* Name(Device device)
{
    return device == Device::Screen ? "screen" : device == Device::Printer ? "printer" : "preview";
}

// A white 32-bit DIB section of the given size after paint(hMem, hAttrib)
// has drawn on it, read back.
template <class Paint>
Bitmap Render(int width, int height, Paint paint)
{
    Bitmap bitmap = { width, height, {} };
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC hMem = CreateCompatibleDC(nullptr);
    HDC hAttrib = CreateCompatibleDC(nullptr);
    HBITMAP hBitmap = CreateDIBSection(hMem, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    RECT all = { 0, 0, width, height };
    FillRect(hMem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    paint(hMem, hAttrib);
    GdiFlush();
    const std::uint32_t* p = static_cast<const std::uint32_t*>(bits);
    bitmap.pixels.assign(p, p + static_cast<std::size_t>(width) * height);
    SelectObject(hMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hAttrib);
    DeleteDC(hMem);
    return bitmap;
}

// Draws the graph into a white DIB section of the area's size (the preview
// draws the area at scale onto it), as the view prepares its contexts.
Bitmap Draw(GraphParams& g, Device device, bool reduce)
{
    return Render(g.areaWidth, g.areaHeight, [&](HDC hMem, HDC hAttrib) {
        const double kPreviewScale = 0.37;
        CPreviewDC preview(hMem, hAttrib, kPreviewScale, POINT{ 3, 5 });
        CDC plain;
        plain.Attach(hMem);
        plain.m_bPrinting = device == Device::Printer;
        CDC& dc = device == Device::Preview ? static_cast<CDC&>(preview) : plain;
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(g.areaWidth, g.areaHeight);
        dc.SetViewportExt(g.areaWidth, g.areaHeight);
        dc.SetViewportOrg(0, g.areaHeight);
        g_graphRenderer.SetReductionThreshold(reduce ? 2 : INT_MAX);
        g_graphRenderer.Draw(&dc, &g, FALSE);
        g_graphRenderer.SetReductionThreshold(1000);
        GdiFlush();
        preview.Detach();
        plain.Detach();
    });
}

int CountDifferences(const Bitmap& a, const Bitmap& b)
{
    int count = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        count += (a.pixels[i] & 0xFFFFFF) != (b.pixels[i] & 0xFFFFFF);
    return count;
}

struct DataSet {
    const char* name;
    std::vector<float> x;
    std::vector<float> y;
};

// Kinds of data as users bring them: noise, a smooth curve, steps, runs of
// equal X, and sparse points (no two on one column).
std::vector<DataSet> DataSets(int n)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<DataSet> sets = { { "random", {}, {} }, { "smooth", {}, {} }, { "steps", {}, {} },
                                  { "equal X", {}, {} }, { "sparse", {}, {} } };
    for (int i = 0; i < n; ++i) {
        float t = static_cast<float>(i) / n;
        sets[0].x.push_back(t * 1000.0f);
        sets[0].y.push_back(unit(rng) * 1000.0f);
        sets[1].x.push_back(static_cast<float>(i));
        sets[1].y.push_back(400.0f * std::sin(t * 12.0f) + 10.0f * (unit(rng) - 0.5f));
        sets[2].x.push_back(t * 50.0f);
        sets[2].y.push_back(std::floor(t * 9.0f) * 30.0f + (i % 7 == 0 ? 25.0f : 0.0f));
        sets[3].x.push_back(std::floor(t * 40.0f));
        sets[3].y.push_back(unit(rng) * 100.0f - 50.0f);
    }
    for (int i = 0; i < 60; ++i) {
        sets[4].x.push_back(static_cast<float>(i * i));
        sets[4].y.push_back(unit(rng) * 10.0f);
    }
    return sets;
}

struct Style {
    int lineType;
    int pointType;
};

std::string Describe(const DataSet& data, const Style& s, int lineSize, int pointSize, Device device, int width)
{
    return std::string(data.name) + ", line " + std::to_string(s.lineType) + " size " + std::to_string(lineSize) +
           ", marker " + std::to_string(s.pointType) + " size " + std::to_string(pointSize) + ", " + Name(device) +
           ", " + std::to_string(width) + " wide";
}

// Compares the two drawings for every style of one data set on one device;
// fails with the number of differing pixels.
void ExpectSamePictures(const DataSet& data, Device device, int width, int height, bool fixedScale)
{
    for (int lineType = 0; lineType <= 2; ++lineType) {
        for (int pointType = 0; pointType <= 3; ++pointType) {
            if (lineType == 0 && pointType == 0)
                continue;
            for (int size = 0; size <= 1; ++size) {
                TestGraph graph(data.x, data.y, width, height);
                GraphParams& g = graph.params;
                g.lineType = lineType;
                g.pointType = pointType;
                g.lineSize = size;
                g.pointSize = (lineType + pointType + size) % 2;
                if (fixedScale) {
                    // A fixed scale narrower than the data: points beyond the clip edges.
                    double spanY = g.yMax - g.yMin;
                    g.yMin += spanY * 0.2;
                    g.yMax -= spanY * 0.25;
                    g.xMin += (g.xMax - g.xMin) * 0.1;
                }
                Bitmap full = Draw(g, device, false);
                Bitmap reduced = Draw(g, device, true);
                EXPECT_EQ(0, CountDifferences(full, reduced))
                    << Describe(data, { lineType, pointType }, size, g.pointSize, device, width);
            }
        }
    }
}

}  // namespace

TEST(CurvePixels, ReducedCurveOnTheScreenIsTheSamePicture)
{
    for (const DataSet& data : DataSets(12000)) {
        ExpectSamePictures(data, Device::Screen, 600, 400, false);
        ExpectSamePictures(data, Device::Screen, 333, 211, true);
    }
}

TEST(CurvePixels, ReducedCurveWithPrinterPensIsTheSamePicture)
{
    for (const DataSet& data : DataSets(12000))
        ExpectSamePictures(data, Device::Printer, 900, 600, data.name[0] == 's');
}

TEST(CurvePixels, ReducedCurveInTheScaledPreviewIsTheSamePicture)
{
    for (const DataSet& data : DataSets(12000))
        ExpectSamePictures(data, Device::Preview, 1500, 1000, data.name[0] == 'r');
}

TEST(CurvePixels, RepaintAfterTheDataChangedInPlaceShowsTheNewData)
{
    // The same arrays and count, other values: a kept reduction would show the old curve.
    std::vector<DataSet> sets = DataSets(5000);
    TestGraph graph(sets[0].x, sets[0].y, 600, 400);
    Bitmap before = Draw(graph.params, Device::Screen, true);
    // A curve for another window size is kept beside it.
    graph.params.areaWidth = 700;
    graph.params.areaHeight = 450;
    Draw(graph.params, Device::Screen, true);
    graph.params.areaWidth = 600;
    graph.params.areaHeight = 400;
    for (float& y : graph.y)
        y = 1000.0f - y;
    Bitmap full = Draw(graph.params, Device::Screen, false);
    Bitmap after = Draw(graph.params, Device::Screen, true);
    EXPECT_NE(0, CountDifferences(before, after));
    EXPECT_EQ(0, CountDifferences(full, after));
    // A larger window: another layout and clip.
    graph.params.areaWidth = 700;
    graph.params.areaHeight = 450;
    EXPECT_EQ(0, CountDifferences(Draw(graph.params, Device::Screen, false), Draw(graph.params, Device::Screen, true)));
}

TEST(CurvePixels, MetafileKeepsEveryPointOfALargeCurve)
{
    // What Copy puts on the clipboard may be drawn at any size: no point is left out.
    const int n = 5000;
    std::vector<float> x, y;
    for (int i = 0; i < n; ++i) {
        x.push_back(static_cast<float>(i));
        y.push_back(static_cast<float>((i * 37) % 101));
    }
    TestGraph graph(x, y, 600, 400);
    HDC hScreen = GetDC(nullptr);
    HDC hMeta = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    CDC dc;
    dc.m_hDC = hMeta;
    dc.m_hAttribDC = hScreen;
    dc.SetWindowOrg(0, -400);
    g_graphRenderer.SetReductionThreshold(2);
    g_graphRenderer.Draw(&dc, &graph.params, FALSE);
    g_graphRenderer.SetReductionThreshold(1000);
    dc.Detach();
    HENHMETAFILE hPicture = CloseEnhMetaFile(hMeta);
    ReleaseDC(nullptr, hScreen);
    std::vector<Record> records = ReadMetafile(hPicture);
    DeleteEnhMetaFile(hPicture);
    // Every point's square, the first one twice.
    EXPECT_EQ(static_cast<std::size_t>(n + 1), Rectangles(records).size());
}

namespace {

// The graph recorded as Copy records it, its large curve written straight
// into the metafile (direct) or through GDI, a call a record.
HENHMETAFILE RecordMetafile(GraphParams& g, bool direct)
{
    CMetaFileDC dc;
    dc.CreateEnhanced();
    dc.SetWindowOrg(0, -g.areaHeight);
    g_graphRenderer.SetReductionThreshold(direct ? 2 : INT_MAX);
    g_graphRenderer.Draw(&dc, &g, FALSE);
    g_graphRenderer.SetReductionThreshold(1000);
    std::vector<BYTE> bits = dc.CloseEnhanced();
    return SetEnhMetaFileBits(static_cast<UINT>(bits.size()), bits.data());
}

// How many line pieces, squares and circles the metafile draws.
std::string Primitives(HENHMETAFILE hMeta)
{
    std::vector<Record> records = ReadMetafile(hMeta);
    return std::to_string(Lines(records).size()) + " lines, " + std::to_string(Rectangles(records).size()) +
           " squares, " + std::to_string(Ellipses(records).size()) + " circles";
}

// The metafile played at its own size onto white.
Bitmap Play(HENHMETAFILE hMeta, int width, int height)
{
    ENHMETAHEADER header = {};
    GetEnhMetaFileHeader(hMeta, sizeof header, &header);
    RECT place = { header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1, header.rclBounds.bottom + 1 };
    return Render(width, height, [&](HDC hMem, HDC) { PlayEnhMetaFile(hMem, hMeta, &place); });
}

}  // namespace

TEST(CurvePixels, LargeCurveWrittenIntoTheMetafileIsWhatGdiRecords)
{
    std::vector<DataSet> sets = DataSets(3000);
    for (int row = 0; row < 24; ++row) {
        const DataSet& data = sets[row % 2 ? 0 : 3];
        TestGraph graph(data.x, data.y, 500, 360);
        GraphParams& g = graph.params;
        g.lineType = row % 3;
        g.pointType = row / 3 % 4;
        g.lineSize = g.pointSize = row / 12;
        if (row % 4 == 1) {
            // Points beyond the scale: the curve reaches past the rest of the picture.
            g.yMin += 300.0;
            g.xMax -= 200.0;
        }
        HENHMETAFILE direct = RecordMetafile(g, true);
        HENHMETAFILE recorded = RecordMetafile(g, false);
        ASSERT_TRUE(direct && recorded) << "row " << row;
        ENHMETAHEADER a = {}, b = {};
        GetEnhMetaFileHeader(direct, sizeof a, &a);
        GetEnhMetaFileHeader(recorded, sizeof b, &b);
        auto rect = [](const RECTL& r) { return Describe(RECT{ r.left, r.top, r.right, r.bottom }); };
        EXPECT_EQ(rect(b.rclBounds), rect(a.rclBounds)) << "row " << row;
        EXPECT_EQ(rect(b.rclFrame), rect(a.rclFrame)) << "row " << row;
        EXPECT_EQ(Primitives(recorded), Primitives(direct)) << "row " << row;
        EXPECT_EQ(0, CountDifferences(Play(recorded, 700, 600), Play(direct, 700, 600))) << "row " << row;
        DeleteEnhMetaFile(direct);
        DeleteEnhMetaFile(recorded);
    }
}
