#include "geometry/ShapePoint.h"

namespace {

constexpr float kHandleOffset = 0.06f;

}  // namespace

void CShapePoint::SetType(int32_t newType)
{
    type = newType;
    if (IsCurveType(type)) {
        outX = x + kHandleOffset;
        outY = y;
        inX = x - kHandleOffset;
        inY = y;
    }
}

void CShapePoint::SetIncoming(float hx, float hy)
{
    inX = hx;
    inY = hy;
    if (type == kPointSpline) {
        outX = 2 * x - hx;
        outY = 2 * y - hy;
    }
}

void CShapePoint::SetOutgoing(float hx, float hy)
{
    outX = hx;
    outY = hy;
    if (type == kPointSpline) {
        inX = 2 * x - hx;
        inY = 2 * y - hy;
    }
}

void CShapePoint::MoveTo(float nx, float ny)
{
    const float dx = nx - x, dy = ny - y;
    x = nx;
    y = ny;
    inX += dx;
    inY += dy;
    outX += dx;
    outY += dy;
}
