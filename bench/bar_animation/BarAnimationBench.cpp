// A frame of 100 curved bars (16 spline points, tessellation 200) whose
// heights animate: each bar rebuilt once a frame with its outline kept, and
// built anew, beside the floor of writing the same vertices and nothing else.
// Frames of subject and floor alternate; the ratio is the median over the
// pairs. A frame is 20 ms.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/InterleavedRounds.h"
#include "geometry/GdiplusSession.h"
#include "geometry/MeshBuilder.h"
#include "testing/geohost/StandInGeoObject.h"
#include "testing/outlines/SampleOutlines.h"

namespace {

constexpr int kBars = 100;
constexpr int32_t kEnabled = 117, kEnableMin = 124, kMin = 125;

struct Bar {
    CStandInGeoObject object;
    std::wstring guid;
};

std::vector<std::unique_ptr<Bar>> MakeBars()
{
    std::vector<std::unique_ptr<Bar>> bars;
    for (int i = 0; i < kBars; ++i) {
        auto bar = std::make_unique<Bar>();
        CStandInGeoObject& object = bar->object;
        object.SetParam(kEnabled, 1);
        SetCurvedBarOutline(object);
        object.SetParam(kEnableMin, 1);
        bar->guid = L"{bar " + std::to_wstring(i) + L"}";
        bars.push_back(std::move(bar));
    }
    return bars;
}

// A frame in which every bar takes a new height and is rebuilt.
void BuildFrame(std::vector<std::unique_ptr<Bar>>& bars, CBarOutlineCache& outlines, int frame)
{
    for (size_t i = 0; i < bars.size(); ++i) {
        bars[i]->object.SetParam(kMin, 0.2 + 0.01 * static_cast<double>((frame + i) % 50));
        RebuildMesh(&bars[i]->object, bars[i]->guid, outlines);
    }
}

// The floor: each bar's vertex records and indices written, nothing else.
void WriteFloorFrame(std::vector<std::unique_ptr<Bar>>& bars, int frame)
{
    for (const auto& bar : bars) {
        GeoMeshBuffers* buffers = bar->object.GetMeshBuffers();
        const int32_t count = bar->object.VertexCount();
        const float height = static_cast<float>(frame);
        const float record[kFloatsPerVertex] = {0.5f, 0.25f, 0, 1, 0, 0.5f, height, -0.5f};
        for (int32_t v = 0; v < count; ++v) {
            buffers->indices[v] = v;
            std::copy(record, record + kFloatsPerVertex, buffers->vertices + static_cast<size_t>(v) * kFloatsPerVertex);
        }
    }
}

std::vector<float> Vertices(const CStandInGeoObject& object)
{
    std::vector<float> vertices;
    for (int32_t i = 0; i < object.VertexCount(); ++i)
        for (int32_t f = 0; f < 8; ++f)
            vertices.push_back(object.VertexField(i, f));
    return vertices;
}

}  // namespace

int main()
{
    const CGdiplusSession gdiplus;
    if (!gdiplus.IsStarted())
        return 1;
    auto cachedBars = MakeBars();
    auto freshBars = MakeBars();
    CBarOutlineCache kept(128), none(0);
    // Buffers grown and outlines kept once, as in a running scene.
    BuildFrame(cachedBars, kept, 0);
    BuildFrame(freshBars, none, 0);

    int frame = 0;
    const InterleavedFigures cached = MeasureInterleaved(
        15, 1, [&] { return BuildFrame(cachedBars, kept, ++frame), true; },
        [&] { return WriteFloorFrame(freshBars, frame), true; });
    const InterleavedFigures fresh = MeasureInterleaved(
        3, 1, [&] { return BuildFrame(freshBars, none, ++frame), true; },
        [&] { return WriteFloorFrame(cachedBars, frame), true; });
    // The same frame in both: the meshes must match to the byte.
    BuildFrame(cachedBars, kept, ++frame);
    BuildFrame(freshBars, none, frame);
    bool identical = true;
    for (int i = 0; i < kBars; ++i) {
        const std::vector<float> a = Vertices(cachedBars[i]->object), b = Vertices(freshBars[i]->object);
        identical = identical && a.size() == b.size() && memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
    }

    const int32_t vertices = cachedBars[0]->object.VertexCount();
    printf("%d curved bars, %d vertices each (%d a frame), heights animating\n", kBars, vertices, kBars * vertices);
    PrintInterleaved("a frame, outlines kept", cached);
    PrintInterleaved("a frame, outlines built anew", fresh);
    printf("meshes kept and anew identical: %s\n", identical ? "yes" : "NO");
    printf("target: outlines kept <= 1.3x the floor; a frame is 20 ms\n");
    return 0;
}
