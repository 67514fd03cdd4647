// Time of one triangulation of a closed circular outline, by point count.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "geometry/PolyTri.h"

namespace {

std::vector<Vec3f> ClosedCircle(int count)
{
    std::vector<Vec3f> points;
    for (int i = 0; i < count; ++i) {
        const double angle = -2 * M_PI * i / count;   // clockwise, as outlines usually arrive
        points.push_back({static_cast<float>(0.5 * std::cos(angle)), static_cast<float>(0.5 * std::sin(angle)), 0});
    }
    points.push_back(points.front());
    return points;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const int counts[] = {16, 200, 1000, 6000};
    double previous = 0.0;
    int previousCount = 0;
    printf("%8s %10s %12s %16s\n", "points", "triangles", "ms", "growth exponent");
    for (int count : counts) {
        const std::vector<Vec3f> outline = ClosedCircle(count);
        // Small outlines are repeated so the timer resolves them.
        const int repeats = count <= 200 ? 50 : 1;
        int triangles = 0;
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int r = 0; r < repeats; ++r) {
            CTriDC recorder;
            triangles = recorder.ClipEars(outline.data(), Vec3f{0, 0, -1}, static_cast<int>(outline.size()));
        }
        QueryPerformanceCounter(&end);
        const double ms = 1000.0 * Seconds(start, end, frequency) / repeats;
        if (previousCount > 0 && previous > 0.0)
            printf("%8d %10d %12.3f %16.2f\n", count, triangles, ms,
                   std::log(ms / previous) / std::log(static_cast<double>(count) / previousCount));
        else
            printf("%8d %10d %12.3f %16s\n", count, triangles, ms, "-");
        previous = ms;
        previousCount = count;
    }
    printf("growth exponent: d log(time) / d log(points) between rows (2 = quadratic)\n");
    return 0;
}
