// Prints the time of drawing 1,000,000 points at 600 x 400: on the screen (a
// window's client area, as the view paints: the first drawing, a repaint, and
// every point drawn) and into an enhanced metafile (as Copy does), for a
// smooth curve (a sine with small noise) and for random points, with the
// metafile's size. Windows build only.
#include <windows.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "framework/Dc.h"
#include "framework/MetaFileDC.h"
#include "graph/GraphRenderer.h"
#include "tests/support/TestGraph.h"

namespace {

const int kWidth = 600;
const int kHeight = 400;
const int kPoints = 1000000;

struct Data {
    std::vector<float> x;
    std::vector<float> y;
};

Data Smooth()
{
    Data d;
    std::mt19937 rng(1);
    std::normal_distribution<float> noise(0.0f, 0.002f);
    for (int i = 0; i < kPoints; ++i) {
        float x = i * 1e-5f;
        d.x.push_back(x);
        d.y.push_back(std::sin(x) + noise(rng));
    }
    return d;
}

Data Random()
{
    Data d;
    std::mt19937 rng(2);
    std::uniform_real_distribution<float> value(0.0f, 10.0f);
    for (int i = 0; i < kPoints; ++i) {
        d.x.push_back(static_cast<float>(i) / kPoints * 10.0f);
        d.y.push_back(value(rng));
    }
    return d;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Seconds of one drawing into the window, as the view paints.
double DrawOnScreen(HWND hWnd, GraphParams& g)
{
    HDC hdc = GetDC(hWnd);
    CDC dc;
    dc.Attach(hdc);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(kWidth, kHeight);
    dc.SetViewportExt(kWidth, kHeight);
    dc.SetViewportOrg(0, kHeight);
    auto start = std::chrono::steady_clock::now();
    g_graphRenderer.Draw(&dc, &g, FALSE);
    GdiFlush();
    double seconds = Seconds(start);
    dc.Detach();
    ReleaseDC(hWnd, hdc);
    return seconds;
}

// Into a metafile's bytes as Copy makes them; with GDI recording every call
// when gdiOnly.
double DrawIntoMetafile(GraphParams& g, bool gdiOnly, std::size_t& bytes)
{
    auto start = std::chrono::steady_clock::now();
    CMetaFileDC dc;
    dc.CreateEnhanced();
    dc.SetWindowExt(kWidth, kHeight);
    dc.SetWindowOrg(0, -kHeight);
    g_graphRenderer.SetReductionThreshold(gdiOnly ? INT_MAX : 1000);
    g_graphRenderer.Draw(&dc, &g, FALSE);
    g_graphRenderer.SetReductionThreshold(1000);
    bytes = dc.CloseEnhanced().size();
    return Seconds(start);
}

}  // namespace

int main()
{
    RECT rc = { 0, 0, kWidth, kHeight };
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    HWND hWnd = CreateWindowExA(0, "STATIC", "draw benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(hWnd);
    struct {
        const char* name;
        Data data;
    } sets[] = { { "smooth", Smooth() }, { "random", Random() } };
    for (auto& set : sets) {
        TestGraph graph(set.data.x, set.data.y, kWidth, kHeight);
        GraphParams& g = graph.params;
        // The first drawing chooses what shows; a repaint of the same curve reuses it.
        double first = DrawOnScreen(hWnd, g);
        double again = DrawOnScreen(hWnd, g);
        g_graphRenderer.SetReductionThreshold(INT_MAX);
        double every = DrawOnScreen(hWnd, g);
        g_graphRenderer.SetReductionThreshold(1000);
        std::size_t bytes = 0;
        double gdi = DrawIntoMetafile(g, true, bytes);
        double meta = DrawIntoMetafile(g, false, bytes);
        std::printf("%-6s 1,000,000 points at 600 x 400: screen %.3f s first, %.3f s again (every point %.3f s), "
                    "metafile %.3f s (%.1f MB; recorded by GDI %.3f s)\n",
                    set.name, first, again, every, meta, bytes / (1024.0 * 1024.0), gdi);
    }
    DestroyWindow(hWnd);
    return 0;
}
