// Time of one lid triangulation by kind of outline and point count, beside
// its yardstick: a z-order-hashed ear clipper on the same points, each call
// with a fresh recorder as a lid build makes. Rounds of the two alternate;
// the ratio is the median over the pairs. The growth exponent of each kind
// is the least-squares slope of log time on log points (1 linear, 2
// quadratic).
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/InterleavedRounds.h"
#include "geometry/GdiplusSession.h"
#include "geometry/PolyTri.h"
#include "bench/triangulation/ZOrderEarClipper.h"
#include "testing/outlines/SampleOutlines.h"

namespace {

Outline ClosedClockwise(Outline points)
{
    // Clockwise, as the flattened outlines usually arrive.
    Outline closed(points.rbegin(), points.rend());
    closed.push_back(closed.front());
    return closed;
}

struct Figure {
    int points;
    double ms;
};

void PrintRow(const char* shape, const Outline& outline, std::vector<Figure>& figures)
{
    const int32_t count = static_cast<int32_t>(outline.size());
    int32_t triangles = 0, floorTriangles = 0;
    const std::function<bool()> subject = [&] {
        CTriDC recorder;
        triangles = recorder.ClipEars(outline.data(), Vec3f{0, 0, -1}, count);
        return triangles > 0;
    };
    const std::function<bool()> floor = [&] {
        CZOrderEarClipper clipper;
        floorTriangles = clipper.Triangulate(outline.data(), count - 1);
        return floorTriangles > 0;
    };
    const InterleavedFigures f = MeasureInterleaved(15, CallsPerRound(floor, 2.0), subject, floor);
    printf("%-10s %7d %10d %10d %11.5f %11.5f %9.2f%s\n", shape, count - 1, triangles, floorTriangles, f.subjectMs,
           f.floorMs, f.ratio, f.failures ? "  FAILED" : "");
    figures.push_back({count - 1, f.subjectMs});
}

double GrowthExponent(const std::vector<Figure>& figures)
{
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const Figure& f : figures) {
        const double x = std::log(static_cast<double>(f.points)), y = std::log(f.ms);
        sx += x, sy += y, sxx += x * x, sxy += x * y;
    }
    const double n = static_cast<double>(figures.size());
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

}  // namespace

int main()
{
    const CGdiplusSession gdiplus;
    if (!gdiplus.IsStarted())
        return 1;
    printf("%-10s %7s %10s %10s %11s %11s %9s\n", "outline", "points", "triangles", "yardstick", "ms", "yardstick",
           "x yardstick");
    std::vector<Figure> bar;
    Outline lid = CurvedBarLid();   // clockwise already
    lid.push_back(lid.front());
    PrintRow("bar lid", lid, bar);

    const int sizes[] = {16, 64, 250, 1000, 2000, 6000};
    const struct {
        const char* name;
        std::function<Outline(int)> make;
    } kinds[] = {
        {"circle", [](int n) { return Circle(n, 0.5); }},
        {"star", [](int n) { return Star(n / 2, 0.5, 0.3); }},
        {"comb", [](int n) { return Comb((n - 2) / 4, 1.0 / n, 0.5); }},
    };
    std::vector<std::pair<const char*, double>> exponents;
    for (const auto& kind : kinds) {
        std::vector<Figure> figures;
        for (const int n : sizes)
            PrintRow(kind.name, ClosedClockwise(kind.make(n)), figures);
        exponents.push_back({kind.name, GrowthExponent(figures)});
    }
    printf("growth exponent, 16 ... 6000 points (1 linear, 2 quadratic):");
    for (const auto& e : exponents)
        printf("  %s %.2f", e.first, e.second);
    printf("\ntarget: <= 1x the yardstick at every size (median of interleaved pairs, this run)\n");
    return 0;
}
