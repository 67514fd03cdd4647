#pragma once
// The sign of the turn a -> b -> c in the x-y plane, exact for every float
// input: 1 counter-clockwise, -1 clockwise, 0 collinear (or not a number).
// Exact signs keep ear clipping from emitting a triangle the wrong way round
// or dropping a corner that is only nearly straight.

#include <cmath>

// The same sign for the turns the float evaluation below cannot decide.
int OrientationSignOfNearlyStraight(float ax, float ay, float bx, float by, float cx, float cy);

inline int OrientationSign(float ax, float ay, float bx, float by, float cx, float cy)
{
    // Float arithmetic decides nearly every turn: its worst rounding is about
    // 3 half-ulps of the two products' magnitudes (the relative term, with a
    // margin), and underflow adds at most a few of the smallest subnormals
    // (the absolute term). Within that of zero, the exact test decides;
    // infinities and NaN leave the bound unmet and go there too.
    constexpr float kRelativeErrorBound = 4e-7f;
    constexpr float kAbsoluteErrorBound = 1e-37f;
    const float left = (bx - ax) * (cy - ay);
    const float right = (by - ay) * (cx - ax);
    const float determinant = left - right;
    const float bound = kRelativeErrorBound * (std::fabs(left) + std::fabs(right)) + kAbsoluteErrorBound;
    if (std::fabs(determinant) > bound)
        return std::signbit(determinant) ? -1 : 1;
    return OrientationSignOfNearlyStraight(ax, ay, bx, by, cx, cy);
}
