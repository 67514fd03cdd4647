// Time of one RecreateObject: the default bar, and a 16-point curved
// outline at the highest tessellation, beside the floor of writing the same
// vertex records and nothing else. Rounds of the two alternate; the ratio is
// the median over the pairs. A frame is 20 ms; a scene may hold 100 bars.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "bench/InterleavedRounds.h"

#include "base/com/ScopedComApartment.h"
#include "testing/geohost/StandInGeoObject.h"
#include "testing/geohost/VantreLibrary.h"
#include "testing/outlines/SampleOutlines.h"

namespace {

// The floor: the object's last mesh written again, a constant record a vertex.
bool WriteSameVertices(CStandInGeoObject& bar)
{
    const GeoMeshBuffers& buffers = bar.Buffers();
    const float record[8] = {0.5f, 0.25f, 0, 1, 0, 0.5f, 1.0f, -0.5f};
    const int32_t count = bar.VertexCount();
    for (int32_t v = 0; v < count; ++v) {
        buffers.indices[v] = v;
        std::copy(record, record + 8, buffers.vertices + static_cast<size_t>(v) * 8);
    }
    return true;
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

    for (auto* entry : {&square, &curved}) {
        vantre.RecreateObject(entry, 0);   // buffers grown once, as in a running scene
        const InterleavedFigures figures = MeasureInterleaved(
            15, entry == &square ? 50 : 2, [&] { return vantre.RecreateObject(entry, 0), true; },
            [&] { return WriteSameVertices(*entry); });
        printf("%s, %d vertices, 100 bars %.1f ms a frame\n",
               entry == &square ? "default square" : "16-point spline, tessellation 200", entry->VertexCount(),
               100 * figures.subjectMs);
        PrintInterleaved("  RecreateObject", figures);
    }
    printf("budget: 20 ms a frame\n");
    return 0;
}
