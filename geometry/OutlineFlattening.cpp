#include "geometry/OutlineFlattening.h"

#include <algorithm>
#include <memory>

namespace {

constexpr double kMinTessellation = 1.0;
constexpr double kMaxTessellation = 200.0;
constexpr double kBaseFlatness = 0.01;

}  // namespace

std::vector<OutlinePoint> FlattenOutline(const CShapeController& shape, double tessellation)
{
    if (!(tessellation >= kMinTessellation))
        tessellation = kMinTessellation;
    tessellation = std::min(tessellation, kMaxTessellation);
    const Gdiplus::REAL flatness = static_cast<Gdiplus::REAL>(kBaseFlatness / tessellation);

    std::vector<OutlinePoint> outline;
    std::unique_ptr<Gdiplus::GraphicsPath> path(shape.GetPath().Clone());
    if (path && path->GetPointCount() > 0) {
        // Wine's GDI+ has no winding-mode outline; a flattened path serves,
        // without the closing point that repeats the first.
        bool dropClosingRepeat = false;
        if (path->Outline(nullptr, flatness) != Gdiplus::Ok) {
            path->Flatten(nullptr, flatness);
            dropClosingRepeat = true;
        }
        const INT count = path->GetPointCount();
        if (count > 0) {
            std::vector<Gdiplus::PointF> points(static_cast<size_t>(count));
            if (path->GetPathPoints(points.data(), count) == Gdiplus::Ok) {
                if (dropClosingRepeat && points.size() > 1 && points.back().Equals(points.front()))
                    points.pop_back();
                for (const Gdiplus::PointF& p : points)
                    outline.push_back({p.X, p.Y});
            }
        }
    }
    if (outline.empty())
        outline.push_back({0.0f, 0.0f});
    else
        outline.push_back(outline.front());
    return outline;
}
