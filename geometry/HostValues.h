#pragma once
// Parameter values come from the host as doubles of any bit pattern (the
// GUID halves are not numbers at all), and Shape Maker files hold any text.
// Every conversion to an integer, and every check of a value that becomes
// geometry, goes through here, so none of them can trap or be undefined.

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

// Outline coordinates and handles, heights and offsets, and the values set
// for a bar lie within this magnitude. Beyond it a float keeps no useful
// precision for a bar, and the flattening of a curve has no scale to work to.
constexpr double kMaxGeometryMagnitude = 1e6;

// Finite and within the magnitude above; anything else is refused.
inline bool IsUsableGeometryValue(double value)
{
    return std::isfinite(value) && std::fabs(value) <= kMaxGeometryMagnitude;
}

// A computed height kept within the magnitude above; NaN counts as 0.
inline double BoundedGeometryValue(double value)
{
    if (std::isnan(value))
        return 0.0;
    return value < -kMaxGeometryMagnitude ? -kMaxGeometryMagnitude
                                          : value > kMaxGeometryMagnitude ? kMaxGeometryMagnitude : value;
}
