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
    SetHandle(hx, hy, inX, inY, outX, outY);
}

void CShapePoint::SetOutgoing(float hx, float hy)
{
    SetHandle(hx, hy, outX, outY, inX, inY);
}

void CShapePoint::SetHandle(float hx, float hy, float& handleX, float& handleY, float& otherX, float& otherY)
{
    handleX = hx;
    handleY = hy;
    if (type == kPointSpline) {
        otherX = 2 * x - hx;
        otherY = 2 * y - hy;
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
