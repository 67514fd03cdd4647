#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <limits>

#include "geometry/OrientationSign.h"

namespace {

struct TurnCase {
    float ax, ay, bx, by, cx, cy;
    int sign;
};

template <size_t N>
void ExpectSigns(const TurnCase (&cases)[N])
{
    for (const TurnCase& c : cases)
        EXPECT_EQ(OrientationSign(c.ax, c.ay, c.bx, c.by, c.cx, c.cy), c.sign)
            << "(" << c.ax << ", " << c.ay << ") (" << c.bx << ", " << c.by << ") (" << c.cx << ", " << c.cy << ")";
}

TEST(OrientationSign, NearlyStraightTurnsGetTheirExactSign)
{
    // p just off the line through (12, 12) and (24, 24): the exact turn is
    // 12 (py - px), a few ulps of p, which plain float arithmetic gets wrong
    // for about half of these points.
    const float ulp = std::ldexp(1.0f, -24);
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 16; ++j) {
            const float px = 0.5f + i * ulp, py = 0.5f + j * ulp;
            EXPECT_EQ(OrientationSign(px, py, 12, 12, 24, 24), (j > i) - (j < i)) << i << ", " << j;
        }
    }
}

TEST(OrientationSign, ScalesWhoseProductsLeaveTheFloatRange)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const TurnCase cases[] = {
        {0, 0, 1e-25f, 0, 0, 1e-25f, 1},          // products underflow a float
        {0, 0, 0, 1e-25f, 1e-25f, 0, -1},
        {0, 0, 1e30f, 1e30f, 2e30f, 2e30f, 0},    // products overflow a float
        {0, 0, 1e30f, 0, 1e30f, 1e30f, 1},
        {0, 0, 1e30f, 1e30f, 1e30f, 0, -1},
        {0, 0, 1, 0, nan, 1, 0},
        {1, 1, 2, 2, 3, 3, 0},
    };
    ExpectSigns(cases);
}

TEST(OrientationSign, PointsAlongAnAxisAreStraight)
{
    // The straight runs of an outline, at scales far apart and in any order;
    // beside them, points a subnormal off such a run still turn.
    const float tiny = std::numeric_limits<float>::denorm_min();
    const TurnCase cases[] = {
        {0, 0.5f, 1, 0.5f, 3, 0.5f, 0},
        {1e-30f, -2, 1e30f, -2, -7, -2, 0},
        {0.25f, 0, 0.25f, 1e-20f, 0.25f, -1e20f, 0},
        {-1e30f, 1e-30f, -1e30f, -1e30f, -1e30f, 3, 0},
        {0, 0, 1, 0, 2, tiny, 1},
        {0, 0, 0, 1, -tiny, 2, 1},
    };
    ExpectSigns(cases);
}

}  // namespace
