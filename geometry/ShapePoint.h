#pragma once
// One outline point with its incoming and outgoing Bezier handles.

#include <cstdint>

enum ShapePointType : int32_t {
    kPointLinear = 1,         // no handles
    kPointSpline = 2,         // handles mirrored through the point
    kPointBrokenSpline = 3,   // handles independent
};

// Types 2 and 3 are curves; any other value behaves like kPointLinear.
inline bool IsCurveType(int32_t type)
{
    return type == kPointSpline || type == kPointBrokenSpline;
}

struct CShapePoint {
    float x = 0.0f, y = 0.0f;
    float outX = -100.0f, outY = -100.0f;
    float inX = -100.0f, inY = -100.0f;
    int32_t index = 0;
    int32_t type = kPointLinear;
    int32_t selected = 0;

    // A curve type resets the handles to either side of the point.
    void SetType(int32_t newType);
    void SetIncoming(float hx, float hy);
    void SetOutgoing(float hx, float hy);
    // Moves the point with both handles.
    void MoveTo(float nx, float ny);

private:
    // A Spline's other handle mirrors the one set through the point.
    void SetHandle(float hx, float hy, float& handleX, float& handleY, float& otherX, float& otherY);
};
