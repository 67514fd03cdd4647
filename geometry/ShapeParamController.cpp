#include "geometry/ShapeParamController.h"

#include "geometry/FileBytes.h"
#include "geometry/HostValues.h"
#include "geometry/HostVersion.h"
#include "geometry/ShapeMakerFile.h"
#include "geometry/ShapeWriteFlag.h"

namespace {

constexpr int32_t kPointCountId = 0;
constexpr int32_t kParamsPerPoint = 7;
// A 16-point file is about 3 KB; anything far larger is not a Shape Maker
// file. The bound also keeps the XML reader's time in hand: Wine's takes
// time growing with the square of the element count.
constexpr size_t kMaxFileSize = 32 * 1024;

int32_t FirstParamOf(int32_t index)
{
    return kParamsPerPoint * index;
}

bool IsStoredIndex(int32_t index)
{
    return index >= 0 && index < kMaxShapePoints;
}

}  // namespace

// Marks the controller busy and the module as writing for one run of writes.
class CShapeParamController::CWriteScope {
public:
    explicit CWriteScope(CShapeParamController& owner) : m_owner(owner) { m_owner.m_busy = true; }
    ~CWriteScope() { m_owner.m_busy = false; }
    CWriteScope(const CWriteScope&) = delete;
    CWriteScope& operator=(const CWriteScope&) = delete;

private:
    CShapeParamController& m_owner;
    CShapeWriteScope m_moduleWriting;
};

void CShapeParamController::EnableUpdates(BOOL enable)
{
    if (g_hostVersion >= kFirstBracketingHostVersion)
        m_link->EnableUpdates(enable);
}

void CShapeParamController::SetValue(int32_t id, double value, int32_t changeKind)
{
    m_link->SetValue(id, value, changeKind);
}

void CShapeParamController::SetCoordinates(const CShapePoint& point, int32_t first, int32_t last)
{
    // Fields 1 ... 6 of a point: X, Y, BLX, BLY, BRX, BRY.
    const float fields[] = {point.x, point.y, point.inX, point.inY, point.outX, point.outY};
    const int32_t b = FirstParamOf(point.index);
    for (int32_t field = first; field <= last; ++field)
        SetValue(b + field, fields[field - 1], kGeoChangeCoordinate);
}

void CShapeParamController::OnPointAdded(const CShapePoint& point)
{
    if (m_loading || !m_link)
        return;
    CWriteScope writing(*this);
    // The point goes after the points the object already has.
    double stored = 0.0;
    m_link->GetValue(kPointCountId, &stored);
    if (!(stored >= 0.0 && stored < kMaxShapePoints))
        return;
    const int32_t count = static_cast<int32_t>(stored);
    CShapePoint appended = point;
    appended.index = count;
    EnableUpdates(FALSE);
    SetCoordinates(appended, 1, 6);
    SetValue(FirstParamOf(count) + 7, point.type, kGeoChangeStructure);
    EnableUpdates(TRUE);
    SetValue(kPointCountId, count + 1, kGeoChangeStructure);
}

void CShapeParamController::OnPointMoved(const CShapePoint& point)
{
    if (!m_link || !IsStoredIndex(point.index))
        return;
    CWriteScope writing(*this);
    EnableUpdates(FALSE);
    SetCoordinates(point, 1, 5);
    EnableUpdates(TRUE);
    SetCoordinates(point, 6, 6);
}

void CShapeParamController::OnHandlesChanged(const CShapePoint& point)
{
    if (!m_link || !IsStoredIndex(point.index))
        return;
    CWriteScope writing(*this);
    EnableUpdates(FALSE);
    SetCoordinates(point, 3, 5);
    EnableUpdates(TRUE);
    SetCoordinates(point, 6, 6);
}

void CShapeParamController::OnTypeChanged(const CShapePoint& point)
{
    if (!m_link || !IsStoredIndex(point.index))
        return;
    CWriteScope writing(*this);
    SetValue(FirstParamOf(point.index) + 7, point.type, kGeoChangeStructure);
}

void CShapeParamController::OnCleared()
{
    if (!m_link)
        return;
    CWriteScope writing(*this);
    SetValue(kPointCountId, 0, kGeoChangeStructure);
}

void CShapeParamController::LoadFromLink(IGeoParamLink* link)
{
    if (m_busy)
        return;
    m_loading = true;
    Clear();
    m_link = link;
    double count = 0.0;
    if (link)
        link->GetValue(kPointCountId, &count);
    const int32_t points = link ? SaturatedInt(count, 0, kMaxShapePoints) : 0;
    for (int32_t i = 0; i < points; ++i) {
        double fields[kParamsPerPoint] = {};
        for (int32_t f = 0; f < kParamsPerPoint; ++f)
            link->GetValue(FirstParamOf(i) + 1 + f, &fields[f]);
        // A refused point must not let the next take its place: the chain's
        // indices are the object's. Like the mesh, the chain then shows nothing.
        if (!AddPoint(static_cast<float>(fields[0]), static_cast<float>(fields[1]), static_cast<float>(fields[2]),
                      static_cast<float>(fields[3]), static_cast<float>(fields[4]), static_cast<float>(fields[5]),
                      SaturatedInt(fields[6]), false)) {
            Clear();
            break;
        }
    }
    m_loading = false;
}

bool CShapeParamController::Load(const wchar_t* path)
{
    std::string bytes;
    std::vector<CShapePoint> points;
    if (!ReadFileBytes(path, kMaxFileSize, bytes) || !ParseShapeMakerFile(bytes, kMaxShapePoints, points))
        return false;
    Clear();
    OnCleared();
    for (const CShapePoint& point : points)
        AddPoint(point.x, point.y, point.inX, point.inY, point.outX, point.outY, point.type, false);
    return true;
}

bool CShapeParamController::Save(const wchar_t* path)
{
    std::vector<CShapePoint> points;
    for (int32_t i = 0; i < GetPointCount(); ++i)
        points.push_back(GetPoint(i));
    return WriteFileReplacing(path, FormatShapeMakerFile(points));
}
