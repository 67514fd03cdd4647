#include "geometry/ShapeController.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "geometry/HostValues.h"

namespace {

constexpr float kHitDistance = 0.04f;
constexpr float kFarAway = 10000000.0f;

float Distance(float ax, float ay, float bx, float by)
{
    return std::hypot(ax - bx, ay - by);
}

// Every value a point is built or moved from, whoever supplies it.
bool AreUsable(std::initializer_list<float> values)
{
    return std::all_of(values.begin(), values.end(), [](float v) { return IsUsableGeometryValue(v); });
}

}  // namespace

bool CShapeController::Load(const wchar_t*) { return false; }
bool CShapeController::Save(const wchar_t*) { return false; }
void CShapeController::OnPointAdded(const CShapePoint&) {}
void CShapeController::OnPointMoved(const CShapePoint&) {}
void CShapeController::OnHandlesChanged(const CShapePoint&) {}
void CShapeController::OnTypeChanged(const CShapePoint&) {}
void CShapeController::OnCleared() {}

void CShapeController::Clear()
{
    m_path.Reset();
    m_points.clear();
}

void CShapeController::SetPathBuilding(bool on)
{
    const bool wasOff = !m_pathBuilding;
    m_pathBuilding = on;
    if (on && wasOff)
        RebuildPath();
}

bool CShapeController::AddPoint(float x, float y, float inX, float inY, float outX, float outY, int32_t type,
                                bool insert)
{
    if (GetPointCount() >= kMaxShapePoints || !AreUsable({x, y, inX, inY, outX, outY}))
        return false;
    if (insert && GetPointCount() > 2) {
        int32_t nearest = 0, second = 0;
        float nearestDistance = kFarAway, secondDistance = kFarAway;
        for (const CShapePoint& point : m_points) {
            const float d = Distance(point.x, point.y, x, y);
            if (d < nearestDistance) {
                second = nearest;
                secondDistance = nearestDistance;
                nearest = point.index;
                nearestDistance = d;
            } else if (d < secondDistance) {
                second = point.index;
                secondDistance = d;
            }
        }
        const int32_t last = GetPointCount() - 1;
        const bool closingEdge = (nearest == 0 && second == last) || (nearest == last && second == 0);
        const int32_t at = closingEdge ? 0 : std::max(nearest, second);
        if (!InsertPoint(at, x, y, inX, inY, outX, outY, type))
            return false;
    } else {
        CShapePoint point;
        point.index = GetPointCount();
        point.x = x;
        point.y = y;
        point.SetType(type);
        point.SetIncoming(inX, inY);
        point.SetOutgoing(outX, outY);
        m_points.push_back(point);
        OnPointAdded(m_points.back());
    }
    RebuildPath();
    return true;
}

bool CShapeController::InsertPoint(int32_t index, float x, float y, float inX, float inY, float outX, float outY,
                                   int32_t type)
{
    const int32_t count = GetPointCount();
    if (index < 0 || index > count || count >= kMaxShapePoints || !AreUsable({x, y, inX, inY, outX, outY}))
        return false;
    if (index == count)
        return AddPoint(x, y, inX, inY, outX, outY, type, true);
    CShapePoint point;
    point.x = x;
    point.y = y;
    point.SetType(type);
    point.SetIncoming(inX, inY);
    point.SetOutgoing(outX, outY);
    m_points.insert(m_points.begin() + index, point);
    Renumber();
    RebuildPath();
    Republish();
    return true;
}

bool CShapeController::DeletePoint(int32_t index)
{
    if (!IsValidIndex(index))
        return false;
    m_points.erase(m_points.begin() + index);
    Renumber();
    RebuildPath();
    Republish();
    return true;
}

void CShapeController::Republish()
{
    OnCleared();
    for (const CShapePoint& point : m_points)
        OnPointAdded(point);
}

ShapeHit CShapeController::HitTest(float px, float py) const
{
    for (const CShapePoint& point : m_points) {
        if (Distance(point.x, point.y, px, py) < kHitDistance)
            return {point.index, kHitPosition};
        if (Distance(point.inX, point.inY, px, py) < kHitDistance)
            return {point.index, kHitIncoming};
        if (Distance(point.outX, point.outY, px, py) < kHitDistance)
            return {point.index, kHitOutgoing};
    }
    return {};
}

bool CShapeController::ClearSelection()
{
    bool changed = false;
    for (CShapePoint& point : m_points) {
        changed = changed || point.selected != 0;
        point.selected = 0;
    }
    return changed;
}

bool CShapeController::SetSelected(int32_t index, bool selected)
{
    if (!IsValidIndex(index))
        return false;
    m_points[static_cast<size_t>(index)].selected = selected ? 1 : 0;
    return true;
}

bool CShapeController::MovePoint(int32_t index, float x, float y)
{
    if (!IsValidIndex(index) || !AreUsable({x, y}))
        return false;
    CShapePoint& moved = m_points[static_cast<size_t>(index)];
    const float dx = x - moved.x, dy = y - moved.y;
    moved.MoveTo(x, y);
    RebuildPath();
    OnPointMoved(moved);
    for (CShapePoint& point : m_points) {
        if (point.index == index || !point.selected)
            continue;
        point.MoveTo(point.x + dx, point.y + dy);
        RebuildPath();
        OnPointMoved(point);
    }
    return true;
}

bool CShapeController::MoveIncoming(int32_t index, float x, float y)
{
    return MoveHandle(index, x, y, &CShapePoint::SetIncoming);
}

bool CShapeController::MoveOutgoing(int32_t index, float x, float y)
{
    return MoveHandle(index, x, y, &CShapePoint::SetOutgoing);
}

bool CShapeController::MoveHandle(int32_t index, float x, float y, void (CShapePoint::*setHandle)(float, float))
{
    if (!IsValidIndex(index) || !AreUsable({x, y}))
        return false;
    CShapePoint& point = m_points[static_cast<size_t>(index)];
    (point.*setHandle)(x, y);
    RebuildPath();
    OnHandlesChanged(point);
    return true;
}

bool CShapeController::ChangeType(int32_t index, int32_t type)
{
    if (!IsValidIndex(index))
        return false;
    CShapePoint& point = m_points[static_cast<size_t>(index)];
    point.SetType(type);
    RebuildPath();
    OnPointMoved(point);
    OnTypeChanged(point);
    return true;
}

void CShapeController::Renumber()
{
    for (size_t i = 0; i < m_points.size(); ++i)
        m_points[i].index = static_cast<int32_t>(i);
}

void CShapeController::RebuildPath()
{
    if (!m_pathBuilding)
        return;
    m_path.Reset();
    const size_t count = m_points.size();
    if (count < 2)
        return;
    const auto addEdge = [this](const CShapePoint& r, const CShapePoint& q) {
        const Gdiplus::PointF from(r.x, r.y), to(q.x, q.y);
        if (IsCurveType(q.type)) {
            const Gdiplus::PointF first = IsCurveType(r.type) ? Gdiplus::PointF(r.outX, r.outY) : from;
            m_path.AddBezier(from, first, Gdiplus::PointF(q.inX, q.inY), to);
        } else if (IsCurveType(r.type)) {
            m_path.AddBezier(from, Gdiplus::PointF(r.outX, r.outY), to, to);
        } else {
            m_path.AddLine(from, to);
        }
    };
    for (size_t i = 1; i < count; ++i)
        addEdge(m_points[i - 1], m_points[i]);
    if (count != 2)
        addEdge(m_points[count - 1], m_points[0]);
}
