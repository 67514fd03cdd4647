#include "testing/outlines/SampleOutlines.h"

#include <cmath>

#include "geometry/OutlineFlattening.h"

Outline Circle(int count, double radius)
{
    Outline points;
    for (int i = 0; i < count; ++i) {
        const double angle = 2 * M_PI * i / count;
        points.push_back({static_cast<float>(radius * std::cos(angle)), static_cast<float>(radius * std::sin(angle)), 0});
    }
    return points;
}

Outline Star(int arms, double outer, double inner)
{
    Outline points;
    for (int i = 0; i < 2 * arms; ++i) {
        const double angle = M_PI * i / arms;
        const double r = (i % 2) ? inner : outer;
        points.push_back({static_cast<float>(r * std::cos(angle)), static_cast<float>(r * std::sin(angle)), 0});
    }
    return points;
}

Outline Comb(int teeth, double toothWidth, double toothHeight)
{
    Outline points;
    const double pitch = 2 * toothWidth;
    const float base = static_cast<float>(0.1 * toothHeight), top = static_cast<float>(toothHeight);
    points.push_back({static_cast<float>(teeth * pitch), 0, 0});
    for (int i = teeth - 1; i >= 0; --i) {
        const float left = static_cast<float>(i * pitch), right = static_cast<float>(i * pitch + toothWidth);
        points.push_back({static_cast<float>(i * pitch + pitch), base, 0});
        points.push_back({right, base, 0});
        points.push_back({right, top, 0});
        points.push_back({left, top, 0});
    }
    points.push_back({0, 0, 0});
    return points;
}

Outline Scaled(Outline points, double factor)
{
    for (Vec3f& p : points)
        p = {static_cast<float>(p.x * factor), static_cast<float>(p.y * factor), 0};
    return points;
}

BarPointFields CurvedBarPoint(int k)
{
    const double angle = M_PI / 2 - 2 * M_PI * k / kCurvedBarPoints;
    const double r = (k % 2) ? 0.35 : 0.5;
    const double x = r * std::cos(angle), y = r * std::sin(angle);
    const double tx = std::sin(angle) * 0.08, ty = -std::cos(angle) * 0.08;
    return {x, y, x - tx, y - ty, x + tx, y + ty};
}

void SetCurvedBarOutline(IGeoObject& bar)
{
    bar.SetParam(0, kCurvedBarPoints);
    for (int k = 0; k < kCurvedBarPoints; ++k) {
        const BarPointFields p = CurvedBarPoint(k);
        const double fields[7] = {p.x, p.y, p.inX, p.inY, p.outX, p.outY, kPointSpline};
        for (int f = 0; f < 7; ++f)
            bar.SetParam(7 * k + 1 + f, fields[f]);
    }
    bar.SetParam(120, kCurvedBarTessellation);
}

Outline CurvedBarLid()
{
    CShapeController shape;
    shape.SetPathBuilding(false);
    for (int k = 0; k < kCurvedBarPoints; ++k) {
        const BarPointFields p = CurvedBarPoint(k);
        shape.AddPoint(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.inX),
                       static_cast<float>(p.inY), static_cast<float>(p.outX), static_cast<float>(p.outY), kPointSpline,
                       false);
    }
    shape.SetPathBuilding(true);
    Outline points;
    for (const OutlinePoint& p : FlattenOutline(shape, kCurvedBarTessellation)) {
        if (points.empty() || p.x != points.back().x || p.y != points.back().y)
            points.push_back({p.x, p.y, 0});
    }
    if (points.size() > 1)
        points.pop_back();   // the closing repeat
    return points;
}
