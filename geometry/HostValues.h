#pragma once
// Parameter values come from the host as doubles of any bit pattern (the
// GUID halves are not numbers at all). Every conversion to an integer goes
// through here, so none of them can trap or be undefined.

#include <cmath>
#include <cstdint>

// `value` truncated toward zero and clamped into [low, high]; NaN counts as 0.
inline int32_t SaturatedInt(double value, int32_t low = INT32_MIN, int32_t high = INT32_MAX)
{
    if (std::isnan(value))
        value = 0.0;
    if (!(value > low))
        return low;
    if (!(value < high))
        return high;
    return static_cast<int32_t>(value);
}
