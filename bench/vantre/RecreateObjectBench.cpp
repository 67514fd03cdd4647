// Time of one RecreateObject: the default bar, and a 16-point curved
// outline at the highest tessellation. A frame is 20 ms; a scene may hold
// 100 bars.
#include <windows.h>

#include <cstdio>

#include "base/com/ScopedComApartment.h"
#include "testing/geohost/StandInGeoObject.h"
#include "testing/geohost/VantreLibrary.h"
#include "testing/outlines/SampleOutlines.h"

namespace {

double MillisecondsPerBuild(CVantreLibrary& vantre, CStandInGeoObject& bar, int builds)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    vantre.RecreateObject(&bar, 0);   // buffers grown once, as in a running scene
    QueryPerformanceCounter(&start);
    for (int i = 0; i < builds; ++i)
        vantre.RecreateObject(&bar, 0);
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / builds;
}

}  // namespace

int main()
{
    const ScopedComApartment com;
    if (!com)
        return 1;
    CVantreLibrary vantre;
    if (!vantre.IsLoaded()) {
        fprintf(stderr, "Vantre.dll not loaded\n");
        return 1;
    }
    CStandInGeoObject square;
    vantre.InitializeParamMap(&square);
    CStandInGeoObject curved;
    vantre.InitializeParamMap(&curved);
    SetCurvedBarOutline(curved);

    printf("%-36s %10s %12s %22s\n", "object", "vertices", "ms/build", "100 bars, ms/frame");
    for (auto* entry : {&square, &curved}) {
        const double ms = MillisecondsPerBuild(vantre, *entry, entry == &square ? 200 : 10);
        printf("%-36s %10d %12.3f %22.1f\n", entry == &square ? "default square" : "16-point spline, tessellation 200",
               entry->VertexCount(), ms, 100 * ms);
    }
    printf("budget: 20 ms a frame\n");
    return 0;
}
