#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/OutlineFlattening.h"

namespace {

// Sixteen curve points on a circle; `loop` > 0 swings every handle round to
// the side, which makes each edge a loop that needs many segments.
std::vector<OutlinePoint> FlattenCircle(double radius, double cx, double cy, double loop, double tessellation)
{
    CShapeController shape;
    shape.SetPathBuilding(false);
    for (int k = 0; k < 16; ++k) {
        const double angle = 2 * M_PI * k / 16;
        const double x = radius * std::cos(angle), y = radius * std::sin(angle);
        const double tx = -y * (loop > 0 ? loop : 0.2), ty = x * (loop > 0 ? loop : 0.2);
        const double inX = loop > 0 ? y : x - tx, inY = loop > 0 ? -x : y - ty;
        const double outX = loop > 0 ? -y : x + tx, outY = loop > 0 ? x : y + ty;
        EXPECT_TRUE(shape.AddPoint(static_cast<float>(cx + x), static_cast<float>(cy + y), static_cast<float>(cx + inX),
                                   static_cast<float>(cy + inY), static_cast<float>(cx + outX),
                                   static_cast<float>(cy + outY), kPointBrokenSpline, false));
    }
    shape.SetPathBuilding(true);
    return FlattenOutline(shape, tessellation);
}

TEST(OutlineFlattening, TheToleranceFollowsTheOutlinesSizeAndPlace)
{
    // Powers of two apart, so each is the others' exact image.
    const std::vector<OutlinePoint> unit = FlattenCircle(0.5, 0, 0, 0, 200);
    ASSERT_GT(unit.size(), 64u);
    const struct {
        const char* what;
        double radius, cx, cy;
    } cases[] = {
        {"2^-14 of it", 0.5 / 16384, 0, 0},
        {"2^14 times it", 0.5 * 16384, 0, 0},
        {"2^19 times it", 0.5 * 524288, 0, 0},
    };
    for (const auto& c : cases) {
        const std::vector<OutlinePoint> outline = FlattenCircle(c.radius, c.cx, c.cy, 0, 200);
        EXPECT_EQ(unit.size(), outline.size()) << c.what;
    }
    // Far from the origin float steps are coarse, so the points differ a
    // little; the tolerance still works to the outline's own size.
    for (const double place : {4096.0, 524288.0}) {
        const std::vector<OutlinePoint> outline = FlattenCircle(0.5, place, -place, 0, 200);
        EXPECT_GT(outline.size(), unit.size() * 3 / 4) << place;
        EXPECT_LT(outline.size(), unit.size() * 3 / 2) << place;
    }
}

TEST(OutlineFlattening, AnOutlineFinerThanTheCapIsCoarsenedToFit)
{
    const std::vector<OutlinePoint> loops = FlattenCircle(0.5, 0, 0, 1, 200);
    EXPECT_LE(loops.size(), static_cast<size_t>(kMaxFlattenedPoints) + 1);
    // Coarsened, not cut: still a smooth outline.
    EXPECT_GT(loops.size(), static_cast<size_t>(kMaxFlattenedPoints) / 4);
    EXPECT_EQ(loops.front().x, loops.back().x);
    EXPECT_EQ(loops.front().y, loops.back().y);
}

}  // namespace
