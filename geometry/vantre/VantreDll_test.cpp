#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "testing/geohost/StandInGeoObject.h"
#include "testing/geohost/VantreLibrary.h"

namespace {

const wchar_t kPercent[] = L"PercentValue";

enum : int32_t {
    kEnabled = 117, kBottomXZ = 118, kBottomOffset = 119, kTessellation = 120, kEnableChange = 122,
    kChangeFrames = 123, kEnableMin = 124, kMin = 125, kEnableMax = 126, kMax = 127, kSaveHeight = 128,
    kInheritHeight = 129, kLinkId = 130,
};

class VantreTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_vantre = std::make_unique<CVantreLibrary>(); }
    static void TearDownTestSuite() { s_vantre.reset(); }

    void SetUp() override { ASSERT_TRUE(s_vantre->IsLoaded()); }

    static CVantreLibrary& Vantre() { return *s_vantre; }

    static std::unique_ptr<CStandInGeoObject> NewBar()
    {
        auto bar = std::make_unique<CStandInGeoObject>();
        Vantre().InitializeParamMap(bar.get());
        return bar;
    }

    static std::wstring GuidOf(CStandInGeoObject& bar)
    {
        const uint64_t halves[2] = {bar.GetParamBits(113), bar.GetParamBits(114)};
        GUID guid;
        memcpy(&guid, halves, sizeof guid);
        wchar_t text[64] = {};
        StringFromGUID2(guid, text, 64);
        return text;
    }

    static void Build(CStandInGeoObject& bar) { Vantre().RecreateObject(&bar, 0); }

    // Outline points k = 0 ... n-1 with their handles and type.
    static void SetOutline(CStandInGeoObject& bar, const std::vector<std::vector<double>>& points)
    {
        bar.SetParam(0, static_cast<double>(points.size()));
        for (size_t k = 0; k < points.size(); ++k)
            for (size_t f = 0; f < 7; ++f)
                bar.SetParam(static_cast<int32_t>(7 * k + 1 + f), points[k][f]);
    }

    // A regular polygon of radius 0.5; clockwise unless `counterClockwise`.
    static std::vector<std::vector<double>> Polygon(int count, int type, bool counterClockwise = false)
    {
        std::vector<std::vector<double>> points;
        for (int k = 0; k < count; ++k) {
            const double angle = M_PI / 2 + (counterClockwise ? 1 : -1) * 2 * M_PI * k / count;
            const double x = 0.5 * std::cos(angle), y = 0.5 * std::sin(angle);
            const double tx = -std::sin(angle) * 0.1 * (counterClockwise ? 1 : -1);
            const double ty = std::cos(angle) * 0.1 * (counterClockwise ? 1 : -1);
            points.push_back({x, y, x - tx, y - ty, x + tx, y + ty, static_cast<double>(type)});
        }
        return points;
    }

    static const StandInPart& Part(const CStandInGeoObject& bar, const char* name)
    {
        for (const StandInPart& part : bar.Parts())
            if (part.name == name)
                return part;
        static const StandInPart none;
        return none;
    }

    // Height of the top lid, from its first vertex.
    static float TopHeight(const CStandInGeoObject& bar)
    {
        const StandInPart& top = Part(bar, "Top");
        return top.count > 0 ? bar.VertexField(top.first, 6) : NAN;
    }

    // Position of vertex v in the outline's plane.
    struct PlanePoint {
        double x, z;
    };
    static PlanePoint At(const CStandInGeoObject& bar, int32_t v)
    {
        return {bar.VertexField(v, 5), bar.VertexField(v, 7)};
    }

    // Signed area of the top lid's triangles, and of the polygon the walls stand on.
    static double LidArea(const CStandInGeoObject& bar)
    {
        const StandInPart& top = Part(bar, "Top");
        double area = 0.0;
        for (int32_t v = top.first; v + 3 <= top.first + top.count; v += 3) {
            const PlanePoint a = At(bar, v), b = At(bar, v + 1), c = At(bar, v + 2);
            area += ((b.x - a.x) * (c.z - a.z) - (c.x - a.x) * (b.z - a.z)) / 2;
        }
        return area;
    }

    static double WallFootprintArea(const CStandInGeoObject& bar)
    {
        const StandInPart& walls = Part(bar, "Bar");
        double area = 0.0;
        for (int32_t v = walls.first; v + 4 <= walls.first + walls.count; v += 4) {
            const PlanePoint q = At(bar, v), r = At(bar, v + 1);
            area += (q.x * r.z - r.x * q.z) / 2;
        }
        return area;
    }

private:
    static std::unique_ptr<CVantreLibrary> s_vantre;
};

std::unique_ptr<CVantreLibrary> VantreTest::s_vantre;

TEST_F(VantreTest, DescriptiveExports)
{
    EXPECT_EQ(1, Vantre().GetLibraryType());
    EXPECT_STREQ("56BB1B08-4A77-416f-8E63-4E78D887A9EF", Vantre().GetObjectGUID());
    EXPECT_STREQ("Vantre", Vantre().GetObjectName());
    EXPECT_EQ(nullptr, Vantre().GetParamDialog(nullptr));

    const struct {
        int32_t id;
        const char* name;
    } names[] = {
        {119, "Vantre_Bottom Offset"}, {129, "Vantre_Link Values_Inherit Height"}, {0, "Vantre_PointCount"},
        {112, "Vantre_Point16Style"}, {131, ""}, {-1, ""},
    };
    for (const auto& n : names) {
        char buffer[kMaxParamNameBytes];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(1, Vantre().GetParamName(n.id, buffer));
        EXPECT_STREQ(n.name, buffer) << n.id;
    }
    EXPECT_EQ(0, Vantre().GetParamName(119, nullptr));
}

TEST_F(VantreTest, ThumbnailIsAttachedOnce)
{
    EXPECT_EQ(0, Vantre().GetThumbnail(nullptr));
    GeoHostBitmap bitmap{nullptr, nullptr};
    ASSERT_EQ(1, Vantre().GetThumbnail(&bitmap));
    BITMAP info{};
    ASSERT_NE(0, GetObjectW(bitmap.handle, sizeof info, &info));
    EXPECT_EQ(64, info.bmWidth);
    EXPECT_EQ(64, info.bmHeight);
    EXPECT_EQ(24, info.bmBitsPixel);
    const HBITMAP first = bitmap.handle;
    EXPECT_EQ(0, Vantre().GetThumbnail(&bitmap));
    EXPECT_EQ(first, bitmap.handle);
    DeleteObject(first);
}

TEST_F(VantreTest, InitializationWritesEveryDefaultAndADistinctGuid)
{
    CStandInGeoObject bar;
    EXPECT_EQ(130, Vantre().InitializeParamMap(&bar));
    EXPECT_EQ(132, bar.SetParamCalls());
    EXPECT_EQ(4.0, bar.GetParam(0));
    EXPECT_EQ(0.25, bar.GetParam(kMax));
    auto other = NewBar();
    EXPECT_NE(GuidOf(bar), GuidOf(*other));
    EXPECT_EQ(38u, GuidOf(bar).size());
}

TEST_F(VantreTest, DefaultObjectMesh)
{
    auto bar = NewBar();
    Build(*bar);
    ASSERT_EQ(28, bar->VertexCount());
    EXPECT_EQ(224u, bar->Buffers().vertexRoom);
    EXPECT_EQ(28u, bar->Buffers().indexRoom);
    EXPECT_EQ(1, bar->Buffers().hasGeometry);
    EXPECT_FALSE(bar->RedrawRequested());

    const struct {
        const char* name;
        int32_t kind, first, count;
        float normalY;
    } parts[] = {{"Bar", 3, 0, 16, 0}, {"Top", 0, 16, 6, 1}, {"Bottom", 0, 22, 6, -1}};
    ASSERT_EQ(3u, bar->Parts().size());
    for (size_t p = 0; p < 3; ++p) {
        const StandInPart& part = bar->Parts()[p];
        EXPECT_EQ(parts[p].name, part.name);
        EXPECT_EQ(parts[p].kind, part.kind) << part.name;
        EXPECT_EQ(parts[p].first, part.first) << part.name;
        EXPECT_EQ(parts[p].count, part.count) << part.name;
        for (int32_t v = part.first; v < part.first + part.count; ++v) {
            EXPECT_EQ(v, bar->Index(v));
            EXPECT_EQ(parts[p].normalY, bar->VertexField(v, 3)) << part.name << " " << v;
            const float y = bar->VertexField(v, 6);
            EXPECT_TRUE(p == 0 ? std::fabs(y) == 0.125f : y == 0.125f * parts[p].normalY) << part.name << " " << y;
            EXPECT_EQ(0.5f, std::fabs(bar->VertexField(v, 5)));
            EXPECT_EQ(0.5f, std::fabs(bar->VertexField(v, 7)));
        }
    }
    // Walls face outwards; the normal is not scaled to unit length.
    for (int32_t v = 0; v < 16; v += 4) {
        const float midX = (bar->VertexField(v, 5) + bar->VertexField(v + 1, 5)) / 2;
        const float midZ = (bar->VertexField(v, 7) + bar->VertexField(v + 1, 7)) / 2;
        const float nx = bar->VertexField(v, 2), nz = bar->VertexField(v, 4);
        EXPECT_FLOAT_EQ(0.25f, std::hypot(nx, nz));
        EXPECT_GT(nx * midX + nz * midZ, 0.0f) << v;
    }
    // The default square runs clockwise in x-z; every outline is built that way.
    EXPECT_DOUBLE_EQ(-1.0, LidArea(*bar));
}

TEST_F(VantreTest, OutlinesInEitherOrientationBuildTheSameWay)
{
    struct Case {
        const char* name;
        int count, type;
        double tessellation;
    };
    const Case cases[] = {
        {"hexagon, linear", 6, 1, 50}, {"16 points, spline", 16, 2, 200}, {"5 points, broken spline", 5, 3, 1},
        {"16 points, spline, coarse", 16, 2, 1}, {"3 points, spline", 3, 2, 50},
    };
    for (const Case& c : cases) {
        for (const bool ccw : {false, true}) {
            auto bar = NewBar();
            SetOutline(*bar, Polygon(c.count, c.type, ccw));
            bar->SetParam(kTessellation, c.tessellation);
            Build(*bar);
            const StandInPart& walls = Part(*bar, "Bar");
            const StandInPart& top = Part(*bar, "Top");
            const StandInPart& bottom = Part(*bar, "Bottom");
            const std::string name = std::string(c.name) + (ccw ? ", counter-clockwise" : "");
            ASSERT_GT(walls.count, 0) << name;
            EXPECT_EQ(0, walls.count % 4) << name;
            EXPECT_EQ(0, top.count % 3) << name;
            EXPECT_EQ(top.count, bottom.count) << name;
            EXPECT_EQ(walls.count + top.count + bottom.count, static_cast<int32_t>(bar->Buffers().indexRoom)) << name;
            if (c.type == 1) {
                EXPECT_EQ(4 * c.count + 6 * (c.count - 2), bar->VertexCount()) << name;
            }
            // The top covers the footprint and turns the default square's way
            // whatever the outline's own orientation.
            EXPECT_LT(LidArea(*bar), 0.0) << name;
            EXPECT_NEAR(WallFootprintArea(*bar), LidArea(*bar), 1e-4) << name;
        }
    }
}

TEST_F(VantreTest, HeightRules)
{
    struct Case {
        const char* name;
        double enableMin, enableMax, bottomXZ, offset;
        float top, bottom;
    };
    // Min 0.5, Max 1.5, no value set.
    const Case cases[] = {
        {"neither limit: the change from Min", 0, 0, 0, 0, 0.25f, -0.25f},
        {"Enable Min", 1, 0, 0, 0, 0.25f, -0.25f},
        {"Enable Max", 0, 1, 0, 0, 0.75f, -0.75f},
        {"both: Min wins", 1, 1, 0, 0, 0.25f, -0.25f},
        {"Bottom XZ", 0, 1, 1, 0, 1.5f, 0.0f},
        {"Bottom XZ with offset", 0, 1, 1, 0.25, 1.75f, 0.25f},
        {"centred with offset", 0, 1, 0, -0.25, 0.5f, -1.0f},
    };
    for (const Case& c : cases) {
        auto bar = NewBar();
        bar->SetParam(kMin, 0.5);
        bar->SetParam(kMax, 1.5);
        bar->SetParam(kEnableMin, c.enableMin);
        bar->SetParam(kEnableMax, c.enableMax);
        bar->SetParam(kBottomXZ, c.bottomXZ);
        bar->SetParam(kBottomOffset, c.offset);
        Build(*bar);
        EXPECT_FLOAT_EQ(c.top, TopHeight(*bar)) << c.name;
        const StandInPart& bottom = Part(*bar, "Bottom");
        ASSERT_GT(bottom.count, 0);
        EXPECT_FLOAT_EQ(c.bottom, bar->VertexField(bottom.first, 6)) << c.name;
    }
}

TEST_F(VantreTest, LinkedHeights)
{
    const auto linked = [](double id, double save, double inherit, double enableMax, double max) {
        auto bar = NewBar();
        bar->SetParam(kLinkId, id);
        bar->SetParam(kSaveHeight, save);
        bar->SetParam(kInheritHeight, inherit);
        bar->SetParam(kEnableMax, enableMax);
        bar->SetParam(kMin, 0.0);
        bar->SetParam(kMax, max);
        return bar;
    };
    auto first = linked(7, 1, 0, 1, 1.0);
    auto second = linked(7.4, 1, 0, 1, 0.6);   // the same ID after rounding
    auto heir = linked(6.6, 0, 1, 0, 2.0);
    auto orphan = linked(9, 0, 1, 0, 2.0);
    Build(*first);
    Build(*second);
    Build(*heir);
    Build(*orphan);
    EXPECT_FLOAT_EQ(0.3f, TopHeight(*heir));      // the last saver's height
    EXPECT_FLOAT_EQ(0.0f, TopHeight(*orphan));    // nothing saved: as without Inherit
    Build(*first);
    Build(*heir);
    EXPECT_FLOAT_EQ(0.5f, TopHeight(*heir));
}

TEST_F(VantreTest, ValueAnimatesOverRebuildsWithEnableChange)
{
    auto bar = NewBar();
    bar->SetParam(kEnableChange, 1);
    bar->SetParam(kMin, 0.0);
    bar->SetParam(kMax, 1.0);
    Build(*bar);
    EXPECT_FLOAT_EQ(0.0f, TopHeight(*bar));
    EXPECT_FALSE(bar->RedrawRequested());

    Vantre().SetDataBarValue(GuidOf(*bar).c_str(), kPercent, 1.0, 1);
    ASSERT_TRUE(bar->RedrawRequested());
    std::vector<float> heights;
    for (int build = 0; build < 40 && bar->RedrawRequested(); ++build) {
        Build(*bar);
        heights.push_back(TopHeight(*bar) * 2);
    }
    ASSERT_EQ(17u, heights.size());
    for (int k = 0; k <= 15; ++k)
        EXPECT_NEAR(k / 15.0, heights[k], 1e-6) << k;
    EXPECT_FLOAT_EQ(1.0f, heights[16]);
    EXPECT_FALSE(bar->RedrawRequested());
}

TEST_F(VantreTest, ValueStaysPendingWhileEnableChangeIsOff)
{
    auto bar = NewBar();
    bar->SetParam(kMin, 0.0);
    bar->SetParam(kMax, 1.0);
    bar->SetParam(kChangeFrames, 0);
    Build(*bar);
    Vantre().SetDataBarValue(GuidOf(*bar).c_str(), kPercent, 0.8, 1);
    EXPECT_EQ(1, Vantre().RebuildWhileRequested(bar.get(), bar->GetMeshBuffers(), 40));
    EXPECT_FLOAT_EQ(0.0f, TopHeight(*bar));
    bar->SetParam(kEnableChange, 1);
    Build(*bar);
    EXPECT_FLOAT_EQ(0.4f, TopHeight(*bar));
    Vantre().SetDataBarRedraw(GuidOf(*bar).c_str(), 0);
    EXPECT_FALSE(bar->RedrawRequested());
}

TEST_F(VantreTest, ObjectsKeepSeparateRecordsAndZeroGuidsWork)
{
    auto zero = NewBar();
    zero->SetParam(113, 0);
    zero->SetParam(114, 0);
    auto other = NewBar();
    for (CStandInGeoObject* bar : {zero.get(), other.get()}) {
        bar->SetParam(kEnableChange, 1);
        bar->SetParam(kChangeFrames, 0);
        bar->SetParam(kMin, 0.0);
        bar->SetParam(kMax, 1.0);
    }
    Vantre().SetDataBarValue(L"{00000000-0000-0000-0000-000000000000}", kPercent, 0.5, 0);
    Build(*zero);
    Build(*other);
    EXPECT_FLOAT_EQ(0.25f, TopHeight(*zero));
    EXPECT_FLOAT_EQ(0.0f, TopHeight(*other));
}

TEST_F(VantreTest, GuidHalvesKeepEveryBitOnTheirWayThroughTheBuild)
{
    // Unusual doubles the two halves may form; the host returns parameters
    // through the x87 unit, which keeps all of these (a signalling NaN it
    // would quiet, so new GUIDs never hold one).
    const uint64_t patterns[][2] = {
        {0x7FF8DEADBEEF0001ull, 0xFFF8000000000000ull},   // quiet NaNs with payloads
        {0x8000000000000000ull, 0x0000000000000001ull},   // negative zero, smallest denormal
        {0x7FF0000000000000ull, 0xFFF0000000000000ull},   // infinities
        {0x000FFFFFFFFFFFFFull, 0x3FF0000000000000ull},   // largest denormal, one
    };
    for (const auto& halves : patterns) {
        auto bar = NewBar();
        double values[2];
        memcpy(values, halves, sizeof values);
        bar->SetParam(113, values[0]);
        bar->SetParam(114, values[1]);
        bar->SetParam(kEnableChange, 1);
        bar->SetParam(kChangeFrames, 0);
        bar->SetParam(kMin, 0.0);
        bar->SetParam(kMax, 1.0);
        Vantre().SetDataBarValue(GuidOf(*bar).c_str(), kPercent, 0.5, 0);
        Build(*bar);
        EXPECT_FLOAT_EQ(0.25f, TopHeight(*bar)) << std::hex << halves[0] << " " << halves[1];
    }
}

// A build of hostile values either refuses them (no vertices) or gives a
// sane mesh: every float finite, positions within the geometry limit (an
// outline of 1e6 on a height of 1e6), no more vertices than the flattened
// point cap allows, and done in far less than the bound.
struct MeshVerdict {
    int32_t vertices = 0;
    bool finite = true;
    double largest = 0.0;
};

MeshVerdict Inspect(const CStandInGeoObject& bar)
{
    MeshVerdict verdict;
    verdict.vertices = bar.VertexCount();
    for (int32_t v = 0; v < verdict.vertices; ++v) {
        for (int32_t f = 0; f < 8; ++f) {
            const float value = bar.VertexField(v, f);
            verdict.finite = verdict.finite && std::isfinite(value);
            if (f >= 5)
                verdict.largest = std::max(verdict.largest, std::fabs(static_cast<double>(value)));
        }
    }
    return verdict;
}

constexpr ULONGLONG kBuildBoundMs = 10000;
// Walls of 2048 segments and two lids of 2046 triangles.
constexpr int32_t kMostVertices = 4 * 2048 + 2 * 3 * 2046;

TEST_F(VantreTest, HostileValuesBuildNothingOrASaneMeshAndTheNextBuildWorks)
{
    const double nan = std::nan(""), inf = HUGE_VAL;
    // A 16-point spline circle of the given radius around (cx, cy).
    const auto circle = [](double radius, double cx = 0, double cy = 0) {
        std::vector<std::vector<double>> points = Polygon(16, 2);
        for (auto& p : points)
            for (int f = 0; f < 6; ++f)
                p[f] = (f % 2 == 0 ? cx : cy) + p[f] * 2 * radius;
        return points;
    };
    const auto with = [](std::vector<std::vector<double>> points, int point, int field, double value) {
        points[point][field] = value;
        return points;
    };
    struct Case {
        const char* what;
        std::vector<std::vector<double>> outline;   // empty: the default square
        std::vector<std::pair<int32_t, double>> params;
        bool builds;
    };
    const std::vector<std::vector<double>> square = Polygon(4, 1);
    const Case cases[] = {
        {"spline point x NaN", with(circle(0.5), 3, 0, nan), {}, false},
        {"spline handle infinite", with(circle(0.5), 3, 4, inf), {}, false},
        {"spline handle 1e300", with(circle(0.5), 3, 3, 1e300), {}, false},
        {"spline handle -1e7, past the limit", with(circle(0.5), 3, 2, -1e7), {}, false},
        {"linear point x NaN", with(square, 1, 0, nan), {}, false},
        {"linear point y -infinite", with(square, 1, 1, -inf), {}, false},
        {"linear handle NaN", with(square, 2, 5, nan), {}, false},
        {"Min NaN", {}, {{kMin, nan}}, false},
        {"Max infinite", {}, {{kMax, inf}, {kEnableMax, 1}}, false},
        {"Bottom Offset 1e300", {}, {{kBottomOffset, 1e300}}, false},
        {"spline handle 1e6, at the limit", with(circle(0.5), 3, 4, 1e6), {}, true},
        {"spline circle of radius 10,000", circle(1e4), {{kTessellation, 200}}, true},
        {"spline circle of radius 9e5, near the limit", circle(9e5), {{kTessellation, 200}}, true},
        {"spline circle of radius 1e6, its handles past the limit", circle(1e6), {}, false},
        {"spline circle of radius 1e-4", circle(1e-4), {{kTessellation, 200}}, true},
        {"spline circle far from the origin", circle(1, 9e5, -9e5), {{kTessellation, 200}}, true},
        {"handles a million away", [&] {
             auto points = circle(0.5);
             for (auto& p : points)
                 p[2] = p[4] = (p[0] < 0 ? -1e6 : 1e6);
             return points;
         }(), {{kTessellation, 200}}, true},
        {"Tessellation NaN", circle(0.5), {{kTessellation, nan}}, true},
        {"Tessellation 1e300", circle(0.5), {{kTessellation, 1e300}}, true},
        {"Tessellation -5", circle(0.5), {{kTessellation, -5}}, true},
        {"PointCount 1e300", {}, {{0, 1e300}}, true},
        {"PointCount NaN", {}, {{0, nan}}, false},
        {"Max 1e6 with Enable Max", {}, {{kMax, 1e6}, {kEnableMax, 1}}, true},
        {"Change Frames infinite", {}, {{kChangeFrames, inf}, {kEnableChange, 1}}, true},
        {"Change Frames NaN", {}, {{kChangeFrames, nan}, {kEnableChange, 1}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto bar = NewBar();
        if (!c.outline.empty())
            SetOutline(*bar, c.outline);
        for (const auto& param : c.params)
            bar->SetParam(param.first, param.second);
        // A value arriving for the change cases; absurd ones are refused.
        Vantre().SetDataBarValue(GuidOf(*bar).c_str(), kPercent, 0.5, 1);
        Vantre().SetDataBarValue(GuidOf(*bar).c_str(), kPercent, nan, 1);
        Vantre().SetDataBarValue(GuidOf(*bar).c_str(), kPercent, 1e300, 1);
        const ULONGLONG start = GetTickCount64();
        // The change of at most 15 frames is over well within 40 builds: the
        // host is not asked to rebuild for ever.
        Vantre().RebuildWhileRequested(bar.get(), bar->GetMeshBuffers(), 40);
        EXPECT_LT(GetTickCount64() - start, kBuildBoundMs);
        EXPECT_FALSE(bar->RedrawRequested());
        const MeshVerdict verdict = Inspect(*bar);
        ASSERT_EQ(3u, bar->Parts().size());
        if (c.builds) {
            EXPECT_GT(verdict.vertices, 0);
            EXPECT_LE(verdict.vertices, kMostVertices);
            EXPECT_TRUE(verdict.finite);
            EXPECT_LE(verdict.largest, 2.5e6);
        } else {
            EXPECT_EQ(0, verdict.vertices);
        }
    }
    auto normal = NewBar();
    Build(*normal);
    EXPECT_EQ(28, normal->VertexCount());
}

TEST_F(VantreTest, UnusableBuffersGetNothingWritten)
{
    auto none = NewBar();
    none->SetNoMeshBuffers(true);
    Build(*none);
    ASSERT_EQ(3u, none->Parts().size());
    EXPECT_EQ(0, none->VertexCount());

    auto fixed = NewBar();
    fixed->SetReservesIgnored(true);
    Build(*fixed);
    EXPECT_EQ(0, fixed->VertexCount());
    EXPECT_EQ(nullptr, fixed->Buffers().vertices);

    auto disabled = NewBar();
    disabled->SetParam(kEnabled, 0);
    Build(*disabled);
    ASSERT_EQ(3u, disabled->Parts().size());
    EXPECT_EQ(0, disabled->VertexCount());
    EXPECT_EQ(1, disabled->Buffers().hasGeometry);
}

}  // namespace
