#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "geometry/MeshBuilder.h"
#include "testing/geohost/StandInGeoObject.h"
#include "testing/outlines/SampleOutlines.h"

namespace {

enum : int32_t {
    kPointCount = 0,
    kEnabled = 117,
    kTessellation = 120,
    kEnableMin = 124,
    kMin = 125,
};

// Parameter id of field f (0 ... 6: X, Y, BLX, BLY, BRX, BRY, Style) of point k.
int32_t PointField(int k, int f)
{
    return 7 * k + 1 + f;
}

void SetCurvedBar(CStandInGeoObject& bar)
{
    bar.SetParam(kEnabled, 1);
    SetCurvedBarOutline(bar);
    bar.SetParam(kEnableMin, 1);
    bar.SetParam(kMin, 0.25);
}

// Every byte of the last build: the parts, then the vertex records.
std::vector<uint32_t> MeshBytes(const CStandInGeoObject& bar)
{
    std::vector<uint32_t> bytes;
    for (const StandInPart& part : bar.Parts())
        bytes.insert(bytes.end(), {static_cast<uint32_t>(part.kind), static_cast<uint32_t>(part.first),
                                   static_cast<uint32_t>(part.count)});
    for (int32_t i = 0; i < bar.VertexCount(); ++i) {
        bytes.push_back(static_cast<uint32_t>(bar.Index(i)));
        for (int32_t f = 0; f < 8; ++f) {
            const float field = bar.VertexField(i, f);
            uint32_t bits;
            memcpy(&bits, &field, sizeof bits);
            bytes.push_back(bits);
        }
    }
    return bytes;
}

void MovePoint(CStandInGeoObject& bar, int field, double by)
{
    bar.SetParam(field, bar.GetParam(field) + by);
}

const StandInPart* FindPart(const CStandInGeoObject& bar, const char* name)
{
    for (const StandInPart& part : bar.Parts()) {
        if (part.name == name)
            return &part;
    }
    return nullptr;
}

// The area the triangles of a lid cover, from the x and z of their corners.
double LidArea(const CStandInGeoObject& bar, const char* name)
{
    const StandInPart* part = FindPart(bar, name);
    double area = 0.0;
    for (int32_t v = part ? part->first : 0; part && v + 2 < part->first + part->count; v += 3) {
        const double ax = bar.VertexField(v, 5), az = bar.VertexField(v, 7);
        const double bx = bar.VertexField(v + 1, 5), bz = bar.VertexField(v + 1, 7);
        const double cx = bar.VertexField(v + 2, 5), cz = bar.VertexField(v + 2, 7);
        area += std::fabs((bx - ax) * (cz - az) - (bz - az) * (cx - ax)) / 2;
    }
    return area;
}

// The area the walls enclose: each wall's first two corners run along the outline's foot.
double OutlineArea(const CStandInGeoObject& bar)
{
    const StandInPart* part = FindPart(bar, "Bar");
    double twice = 0.0;
    for (int32_t v = part ? part->first : 0; part && v + 3 < part->first + part->count; v += 4)
        twice += static_cast<double>(bar.VertexField(v, 5)) * bar.VertexField(v + 1, 7) -
                 static_cast<double>(bar.VertexField(v + 1, 5)) * bar.VertexField(v, 7);
    return std::fabs(twice) / 2;
}

TEST(RebuildMesh, LidsCoverTheOutlineAtEveryScaleTheHostAllows)
{
    // The curved bar reaches 0.5 from its centre: the last scale takes it to the host's largest value.
    for (const double scale : {1e-3, 1.0, 1e3, 1e5, 3e5, 2e6}) {
        CStandInGeoObject bar;
        SetCurvedBar(bar);
        for (int k = 0; k < kCurvedBarPoints; ++k) {
            for (int f = 0; f < 6; ++f)
                bar.SetParam(PointField(k, f), bar.GetParam(PointField(k, f)) * scale);
        }
        CBarOutlineCache none(0);
        RebuildMesh(&bar, L"{scaled}", none);
        const double outline = OutlineArea(bar);
        ASSERT_GT(outline, 0.1 * scale * scale) << "at scale " << scale;
        for (const char* lid : {"Top", "Bottom"})
            EXPECT_NEAR(1.0, LidArea(bar, lid) / outline, 1e-4) << lid << " at scale " << scale;
    }
}

TEST(RebuildMesh, KeptOutlinesGiveTheMeshOfAFreshBuildAndGoWithAnyOutlineChange)
{
    CBarOutlineCache kept(4);
    CBarOutlineCache none(0);
    CStandInGeoObject cachedBar, freshBar;
    SetCurvedBar(cachedBar);
    SetCurvedBar(freshBar);

    struct Change {
        const char* what;
        bool reused;   // the outline kept by the build before serves
        std::function<void(CStandInGeoObject&)> apply;
    };
    const Change changes[] = {
        {"the first build", false, [](CStandInGeoObject&) {}},
        {"the same again", true, [](CStandInGeoObject&) {}},
        {"a new height", true, [](CStandInGeoObject& bar) { bar.SetParam(kMin, 0.75); }},
        {"a point moved", false, [](CStandInGeoObject& bar) { MovePoint(bar, PointField(3, 0), 0.01); }},
        {"a point moved by one bit", false,
         [](CStandInGeoObject& bar) {
             bar.SetParam(PointField(3, 1), std::nextafter(bar.GetParam(PointField(3, 1)), 1.0));
         }},
        {"an incoming handle moved", false, [](CStandInGeoObject& bar) { MovePoint(bar, PointField(5, 2), 0.02); }},
        {"an outgoing handle moved", false, [](CStandInGeoObject& bar) { MovePoint(bar, PointField(5, 5), -0.02); }},
        {"a point's type", false, [](CStandInGeoObject& bar) { bar.SetParam(PointField(7, 6), kPointLinear); }},
        {"the tessellation", false, [](CStandInGeoObject& bar) { bar.SetParam(kTessellation, 20); }},
        {"the point count", false, [](CStandInGeoObject& bar) { bar.SetParam(kPointCount, 11); }},
        {"a point past the count", true, [](CStandInGeoObject& bar) { MovePoint(bar, PointField(13, 0), 0.3); }},
        {"the orientation reversed", false,
         [](CStandInGeoObject& bar) {
             // The same points the other way round, handles swapped.
             std::vector<double> fields;
             for (int k = 0; k < 11; ++k)
                 for (int f = 0; f < 7; ++f)
                     fields.push_back(bar.GetParam(PointField(k, f)));
             for (int k = 0; k < 11; ++k) {
                 const double* from = &fields[static_cast<size_t>(7 * (10 - k))];
                 const double swapped[7] = {from[0], from[1], from[4], from[5], from[2], from[3], from[6]};
                 for (int f = 0; f < 7; ++f)
                     bar.SetParam(PointField(k, f), swapped[f]);
             }
         }},
        {"a point refused", false, [](CStandInGeoObject& bar) { bar.SetParam(PointField(2, 0), NAN); }},
        {"the point usable again", false, [](CStandInGeoObject& bar) { bar.SetParam(PointField(2, 0), 0.1); }},
        {"disabled", false, [](CStandInGeoObject& bar) { bar.SetParam(kEnabled, 0); }},
        {"enabled again", true, [](CStandInGeoObject& bar) { bar.SetParam(kEnabled, 1); }},
    };
    std::vector<uint32_t> before;
    for (const Change& change : changes) {
        change.apply(cachedBar);
        change.apply(freshBar);
        const int64_t reuses = kept.Reuses();
        RebuildMesh(&cachedBar, L"{cached}", kept);
        RebuildMesh(&freshBar, L"{fresh}", none);
        EXPECT_EQ(change.reused, kept.Reuses() > reuses) << change.what;
        const std::vector<uint32_t> mesh = MeshBytes(cachedBar);
        EXPECT_TRUE(mesh == MeshBytes(freshBar)) << change.what;
        EXPECT_EQ(0, none.Reuses()) << change.what;
    }
}

TEST(RebuildMesh, ObjectsPastTheCachesRoomAreBuiltAnew)
{
    CBarOutlineCache kept(1);
    CBarOutlineCache none(0);
    CStandInGeoObject first, second, fresh;
    SetCurvedBar(first);
    SetCurvedBar(second);
    second.SetParam(kTessellation, 30);
    SetCurvedBar(fresh);
    for (int round = 0; round < 2; ++round) {
        RebuildMesh(&first, L"{first}", kept);
        RebuildMesh(&second, L"{second}", kept);
    }
    EXPECT_EQ(0, kept.Reuses());
    RebuildMesh(&fresh, L"{fresh}", none);
    EXPECT_TRUE(MeshBytes(first) == MeshBytes(fresh));
    fresh.SetParam(kTessellation, 30);
    RebuildMesh(&fresh, L"{fresh}", none);
    EXPECT_TRUE(MeshBytes(second) == MeshBytes(fresh));
}

}  // namespace
