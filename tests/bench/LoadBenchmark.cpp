// Prints the time and peak memory of loading data files of 10,000, 100,000
// and 1,000,000 points: reading, splitting into lines, the layout parser, the
// line conversion, the X sort and the ranges. The same source builds natively
// and for Windows; the Windows build also times the real document's Open.
//
//   load_benchmark <folder> <points> [core|document] [random|ascending|distinct|equal]
//
// The X of the points: random (as a user's measurements, many X repeating
// in single precision), ascending (0, 1, 2, ...), distinct (0 to points - 1
// in random order) or equal (each X a hundred times).
// One size and one road per run, so that the peak memory printed is that
// run's own (scripts/bench.sh runs them all).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "document/DataLines.h"
#include "document/DataText.h"
#include "document/TextLines.h"
#include "tests/support/DataTextHelpers.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>

#include "document/PlorDoc.h"
#include "framework/UiHooks.h"
#else
#include <sys/resource.h>
#endif

namespace {

double PeakMegabytes()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.PeakWorkingSetSize / (1024.0 * 1024.0);
#else
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
#endif
}

// The data file, or an empty name when it cannot be written.
std::string MakeFile(const std::string& folder, int points, const std::string& kind)
{
    std::string path = folder + "/bench_" + kind + "_" + std::to_string(points) + ".plr";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return std::string();
    std::mt19937 rng(points);
    std::uniform_real_distribution<double> value(-1000.0, 1000.0);
    std::vector<int> order(kind == "distinct" ? points : 0);
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), rng);
    for (int i = 0; i < points; ++i) {
        double y = value(rng);
        if (kind == "ascending")
            std::fprintf(f, "%d %.6g\r\n", i, y);
        else if (kind == "distinct")
            std::fprintf(f, "%d %.6g\r\n", order[i], y);
        else if (kind == "equal")
            std::fprintf(f, "%d %.6g\r\n", i / 100, y);
        else
            std::fprintf(f, "%.6g %.6g\r\n", y, value(rng));
    }
    std::fprintf(f, "\r\nBenchmark\r\nX\r\nY\r\n5 4 1 0 1\r\n0 1\r\n0 -1000 1000\r\n0 -1000 1000");
    if (std::ferror(f) | std::fclose(f)) {
        std::remove(path.c_str());
        return std::string();
    }
    return path;
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The load's steps on their own, timed one by one.
void TimeCore(const std::string& path, int points)
{
    // As the document keeps them: the file's text read in pieces, each split
    // into lines as it comes.
    Clock::time_point start = Clock::now();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::fseek(f, 0, SEEK_END);
    TextLines lines;
    lines.BeginText(static_cast<std::size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    std::vector<char> piece(256 << 10);
    for (std::size_t n; (n = std::fread(piece.data(), 1, piece.size(), f)) > 0;)
        lines.AppendText(piece.data(), n);
    std::fclose(f);
    int count = lines.EndText();
    double read = Seconds(start);

    Clock::time_point t = Clock::now();
    DataTextSettings settings = NewDocumentSettings();
    DataTextResult parsed = ParseDataText(count, [&](int i) { return lines[i]; }, settings);
    double parse = Seconds(t);

    t = Clock::now();
    std::vector<float> x(parsed.dataCount);
    std::vector<float> y(parsed.dataCount);
    ConvertDataLinesOnTwoThreads(parsed.dataCount, [&](int i) { return lines[i]; }, x.data(), y.data());
    double convert = Seconds(t);

    t = Clock::now();
    SortPointsByX(parsed.dataCount, x.data(), y.data());
    double sort = Seconds(t);
    t = Clock::now();
    double range[2];
    ComputeRange(x.data(), parsed.dataCount, range);
    ComputeRange(y.data(), parsed.dataCount, range);
    double ranges = Seconds(t);
    std::printf("%9d points  core: total %.3f s (read and split %.3f, check %.3f, convert %.3f, sort %.3f, "
                "ranges %.3f)  peak %.0f MB\n",
                points, Seconds(start), read, parse, convert, sort, ranges, PeakMegabytes());
}

#ifdef _WIN32
// The road File Open takes: the document reads, parses and converts.
void TimeDocument(const std::string& path, int points)
{
    // Files this big draw the large-file warning; it is answered at once.
    AfxGetUiHooks().messageBox = [](const CString&, UINT, const CString&) { return IDOK; };
    CPlorDoc* pDoc = static_cast<CPlorDoc*>(RUNTIME_CLASS(CPlorDoc)->CreateObject());
    Clock::time_point start = Clock::now();
    BOOL ok = pDoc->OnOpenDocument(path.c_str());
    double seconds = Seconds(start);
    std::printf("%9d points  document Open: %.3f s%s  peak %.0f MB\n", points, seconds,
                ok && pDoc->m_graph.pointCount == points ? "" : " (FAILED)", PeakMegabytes());
    delete pDoc;
}
#endif

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::printf("usage: load_benchmark <folder> <points> [core|document] [random|ascending|distinct|equal]\n");
        return 2;
    }
    int points = std::atoi(argv[2]);
    std::string mode = argc > 3 ? argv[3] : "core";
    std::string kind = argc > 4 ? argv[4] : "random";
    std::string path = MakeFile(argv[1], points, kind);
    if (path.empty()) {
        std::printf("load_benchmark: cannot write a data file in %s\n", argv[1]);
        return 1;
    }
    std::printf("%-9s ", kind.c_str());
#ifdef _WIN32
    if (mode == "document")
        TimeDocument(path, points);
    else
#endif
        TimeCore(path, points);
    std::remove(path.c_str());
    return 0;
}
