#include "geometry/OutlineFlattening.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinTessellation = 1.0;
constexpr double kMaxTessellation = 200.0;
constexpr double kBaseFlatness = 0.01;

// What the flattening works in: the outline scaled by a power of two (which
// is exact) to a size between 1 and 2, and moved to the origin when it lies
// far from it. The tolerance is then relative to the outline's size, and
// float steps stay far below it however large the outline or far its place.
struct UnitFrame {
    double scale = 1.0;
    double centreX = 0.0;
    double centreY = 0.0;

    Gdiplus::PointF ToUnit(const Gdiplus::PointF& p) const
    {
        return {static_cast<Gdiplus::REAL>((p.X - centreX) / scale), static_cast<Gdiplus::REAL>((p.Y - centreY) / scale)};
    }
    OutlinePoint FromUnit(const Gdiplus::PointF& p) const
    {
        return {static_cast<float>(centreX + p.X * scale), static_cast<float>(centreY + p.Y * scale)};
    }
};

UnitFrame FrameOf(const std::vector<Gdiplus::PointF>& points)
{
    UnitFrame frame;
    const auto [minX, maxX] = std::minmax_element(points.begin(), points.end(),
                                                  [](const auto& a, const auto& b) { return a.X < b.X; });
    const auto [minY, maxY] = std::minmax_element(points.begin(), points.end(),
                                                  [](const auto& a, const auto& b) { return a.Y < b.Y; });
    const double size = std::max(static_cast<double>(maxX->X) - minX->X, static_cast<double>(maxY->Y) - minY->Y);
    if (!(size > 0.0))
        return frame;   // a single place: nothing to flatten
    int exponent = 0;
    std::frexp(size, &exponent);
    frame.scale = std::ldexp(1.0, exponent - 1);
    const double centreX = (static_cast<double>(minX->X) + maxX->X) / 2;
    const double centreY = (static_cast<double>(minY->Y) + maxY->Y) / 2;
    if (std::fabs(centreX) > size || std::fabs(centreY) > size) {
        frame.centreX = centreX;
        frame.centreY = centreY;
    }
    return frame;
}

}  // namespace

std::vector<OutlinePoint> FlattenOutline(const CShapeController& shape, double tessellation)
{
    if (!(tessellation >= kMinTessellation))
        tessellation = kMinTessellation;
    tessellation = std::min(tessellation, kMaxTessellation);

    std::vector<OutlinePoint> outline;
    const Gdiplus::GraphicsPath& source = shape.GetPath();
    const INT sourceCount = source.GetPointCount();
    std::vector<Gdiplus::PointF> sourcePoints(static_cast<size_t>(std::max(sourceCount, 0)));
    std::vector<BYTE> types(sourcePoints.size());
    if (sourceCount > 0 && source.GetPathPoints(sourcePoints.data(), sourceCount) == Gdiplus::Ok &&
        source.GetPathTypes(types.data(), sourceCount) == Gdiplus::Ok) {
        const UnitFrame frame = FrameOf(sourcePoints);
        for (Gdiplus::PointF& p : sourcePoints)
            p = frame.ToUnit(p);
        // A tolerance fine enough for more points than the cap is coarsened
        // until the outline fits; at 1 every curve is its chord.
        for (double flatness = kBaseFlatness / tessellation;; flatness *= 4) {
            Gdiplus::GraphicsPath path(sourcePoints.data(), types.data(), sourceCount);
            // Wine's GDI+ has no winding-mode outline; a flattened path
            // serves, without the closing point that repeats the first.
            const auto tolerance = static_cast<Gdiplus::REAL>(flatness);
            bool dropClosingRepeat = false;
            if (path.Outline(nullptr, tolerance) != Gdiplus::Ok) {
                path.Flatten(nullptr, tolerance);
                dropClosingRepeat = true;
            }
            const INT count = path.GetPointCount();
            if (count > kMaxFlattenedPoints && flatness < 1.0)
                continue;
            std::vector<Gdiplus::PointF> points(static_cast<size_t>(std::max(count, 0)));
            if (count > 0 && path.GetPathPoints(points.data(), count) == Gdiplus::Ok) {
                if (dropClosingRepeat && points.size() > 1 && points.back().Equals(points.front()))
                    points.pop_back();
                for (const Gdiplus::PointF& p : points)
                    outline.push_back(frame.FromUnit(p));
            }
            break;
        }
    }
    if (outline.empty())
        outline.push_back({0.0f, 0.0f});
    else
        outline.push_back(outline.front());
    return outline;
}
