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
