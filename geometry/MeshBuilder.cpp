#include "geometry/MeshBuilder.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

#include "geometry/DataBarStore.h"
#include "geometry/HostValues.h"

namespace {

enum BarParam : int32_t {
    kPointCount = 0,
    kEnabled = 117,
    kBottomXZ = 118,
    kBottomOffset = 119,
    kTessellation = 120,
    kEnableChange = 122,
    kChangeFrames = 123,
    kEnableMin = 124,
    kMin = 125,
    kEnableMax = 126,
    kMax = 127,
    kSaveHeight = 128,
    kInheritHeight = 129,
    kLinkId = 130,
};

const wchar_t kPercentValue[] = L"PercentValue";

// Heights saved under a link ID, for other bars to inherit. Used on the
// host's build thread only.
std::map<int32_t, double> g_linkValues;

// A scene holds up to about a hundred bars.
constexpr size_t kKeptOutlines = 128;
CBarOutlineCache g_barOutlines(kKeptOutlines);

bool IsOn(double value)
{
    return value > 0.5;
}

uint64_t Bits(double value)
{
    uint64_t bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

// What LoadOutline and FlattenOutline read, in their order.
OutlineKey ReadOutlineKey(IGeoObject& object)
{
    OutlineKey key;
    const double countValue = object.GetParam(kPointCount);
    const int32_t count = SaturatedInt(countValue, 0, kMaxShapePoints);
    key.reserve(static_cast<size_t>(7 * count + 2));
    key.push_back(Bits(countValue));
    for (int32_t id = 1; id <= 7 * count; ++id)
        key.push_back(Bits(object.GetParam(id)));
    key.push_back(Bits(object.GetParam(kTessellation)));
    return key;
}

// The outline's points from the object's parameters, its path built once.
// False when a point is refused (a value that is no usable geometry).
bool LoadOutline(IGeoObject& object, CShapeController& shape)
{
    shape.SetPathBuilding(false);
    const int32_t count = SaturatedInt(object.GetParam(kPointCount), 0, kMaxShapePoints);
    for (int32_t k = 0; k < count; ++k) {
        double fields[7];
        for (int32_t f = 0; f < 7; ++f)
            fields[f] = object.GetParam(7 * k + 1 + f);
        if (!shape.AddPoint(static_cast<float>(fields[0]), static_cast<float>(fields[1]),
                            static_cast<float>(fields[2]), static_cast<float>(fields[3]),
                            static_cast<float>(fields[4]), static_cast<float>(fields[5]), SaturatedInt(fields[6]),
                            false))
            return false;
    }
    shape.SetPathBuilding(true);
    return true;
}

// The parameters every height is made of.
bool HeightsAreUsable(IGeoObject& object)
{
    return IsUsableGeometryValue(object.GetParam(kMin)) && IsUsableGeometryValue(object.GetParam(kMax)) &&
           IsUsableGeometryValue(object.GetParam(kBottomOffset));
}

// Twice the signed area in the outline's own sense: positive for the
// orientation the walls' normals and the lids are built for.
double OrientedArea(const std::vector<OutlinePoint>& outline)
{
    double area = 0.0;
    for (size_t j = 1; j < outline.size(); ++j)
        area += static_cast<double>(outline[j].x) * outline[j - 1].y -
                static_cast<double>(outline[j - 1].x) * outline[j].y;
    return area;
}

// The lid polygon: the outline without consecutive repeats.
std::vector<Vec3f> LidPolygon(const std::vector<OutlinePoint>& outline)
{
    std::vector<Vec3f> polygon;
    OutlinePoint previous{-100.0f, -100.0f};
    for (const OutlinePoint& p : outline) {
        if (p.x != previous.x || p.y != previous.y)
            polygon.push_back({p.x, p.y, 0.0f});
        previous = p;
    }
    return polygon;
}

void WriteEmptyParts(IGeoObject& object)
{
    for (const char* part : {"Bar", "Top", "Bottom"}) {
        object.BeginPart(part);
        object.BeginPrimitivesAt(strcmp(part, "Bar") == 0 ? kGeoPrimitiveWalls : kGeoPrimitiveLids, 0);
        object.SetPrimitiveCount(0);
        object.EndPart();
    }
}

// Ends the store's build of the object however the build is left: after
// it, the store vouches for the mesh record only as this build leaves it.
class BuildInProgress {
public:
    explicit BuildInProgress(const std::wstring& guid) : m_guid(guid) {}
    ~BuildInProgress() { g_dataBarStore.EndBuild(m_guid); }
    BuildInProgress(const BuildInProgress&) = delete;
    BuildInProgress& operator=(const BuildInProgress&) = delete;

private:
    const std::wstring& m_guid;
};

double SafeRatio(double numerator, double denominator)
{
    return denominator != 0.0 ? numerator / denominator : 0.0;
}

// Flattened, turned so that the walls face out and the top up, and cut
// into the lids' triangles, with the texture coordinates that depend on
// the outline alone.
std::unique_ptr<BarOutline> MakeBarOutline(IGeoObject& object)
{
    auto outline = std::make_unique<BarOutline>();
    CShapeController shape;
    if (!LoadOutline(object, shape))
        return outline;
    outline->usable = true;
    std::vector<OutlinePoint>& points = outline->points;
    points = FlattenOutline(shape, object.GetParam(kTessellation));
    if (OrientedArea(points) < 0)
        std::reverse(points.begin(), points.end());

    double perimeter = 0.0;
    for (size_t j = 1; j < points.size(); ++j)
        perimeter += std::hypot(points[j].x - points[j - 1].x, points[j].y - points[j - 1].y);
    // A zero perimeter (all points equal) gives u = 0.
    double along = 0.0;
    outline->wallU.push_back(static_cast<float>(SafeRatio(along, perimeter)));
    for (size_t j = 1; j < points.size(); ++j) {
        const double dx = points[j].x - points[j - 1].x, dz = points[j].y - points[j - 1].y;
        along += std::hypot(dx, dz);
        outline->wallU.push_back(static_cast<float>(SafeRatio(along, perimeter)));
    }

    const std::vector<Vec3f> polygon = LidPolygon(points);
    CTriDC lids;
    outline->triangles = lids.ClipEars(polygon.data(), Vec3f{0, 0, -1}, static_cast<int32_t>(polygon.size()));
    const double spanX = lids.MaxX() - lids.MinX(), spanY = lids.MaxY() - lids.MinY();
    for (int32_t j = 0; j < lids.GetVertexCount(); ++j) {
        const double v = SafeRatio(lids.MinY() - lids.GetVertex(j).y, spanY);
        outline->lidU.push_back(static_cast<float>(SafeRatio(lids.GetVertex(j).x - lids.MinX(), spanX)));
        outline->topV.push_back(static_cast<float>(v));
        outline->bottomV.push_back(static_cast<float>(1 - v));
    }
    // A copy holds just the corners; the recorder's room and scratch go with it.
    outline->lidCorners.assign(lids.Vertices(), lids.Vertices() + lids.GetVertexCount());
    return outline;
}

// Writes vertex records and their indices one after another. Each field
// goes straight into the host's buffer: a record assembled aside and copied
// over in wide loads stalls on every copy, since a load spanning several
// narrower stores just made cannot take their values from the store queue.
// The running index lives here rather than behind a reference that the
// index buffer's stores could alias, so it stays in a register.
class VertexWriter {
public:
    VertexWriter(int32_t* indices, float* vertices, int32_t first)
        : m_indices(indices), m_vertices(vertices), m_next(first)
    {
    }
    int32_t Next() const { return m_next; }

    void Add(float u, float v, float nx, float ny, float nz, float x, float y, float z)
    {
        m_indices[m_next] = m_next;
        float* const out = m_vertices + static_cast<size_t>(m_next) * kFloatsPerVertex;
        out[0] = u;
        out[1] = v;
        out[2] = nx;
        out[3] = ny;
        out[4] = nz;
        out[5] = x;
        out[6] = y;
        out[7] = z;
        ++m_next;
    }

private:
    int32_t* const m_indices;
    float* const m_vertices;
    int32_t m_next;
};

}  // namespace

void WriteBarVertices(IGeoObject* object, int32_t& vertexIndex, int32_t* indices, float* vertices,
                      const BarOutline& bar, const std::wstring& guid)
{
    const std::vector<OutlinePoint>& outline = bar.points;
    const std::vector<CTriDC::Corner>& lids = bar.lidCorners;
    const int32_t lidCount = static_cast<int32_t>(lids.size());
    const int32_t outlineCount = static_cast<int32_t>(outline.size());
    g_dataBarStore.AdvanceFrame(guid);

    VertexWriter writer(indices, vertices, vertexIndex);
    int32_t start = writer.Next();
    object->BeginPart("Bar");
    object->BeginPrimitivesAt(kGeoPrimitiveWalls, start);

    const double bottomXZ = object->GetParam(kBottomXZ);
    const double bottomOffset = object->GetParam(kBottomOffset);
    const double minHeight = object->GetParam(kMin);
    const double maxHeight = object->GetParam(kMax);
    const double changeFrames = object->GetParam(kChangeFrames);
    if (object->GetParam(kEnableChange) > 0.99)
        g_dataBarStore.ConsumePendingValue(guid, kPercentValue);

    double height = 0.0;
    const int32_t linkId = SaturatedInt(object->GetParam(kLinkId) + 0.5);
    if (IsOn(object->GetParam(kEnableMin))) {
        height = minHeight;
    } else if (IsOn(object->GetParam(kEnableMax))) {
        height = maxHeight;
    } else {
        const auto inherited = g_linkValues.find(linkId);
        if (IsOn(object->GetParam(kInheritHeight)) && inherited != g_linkValues.end()) {
            height = inherited->second;
            g_dataBarStore.SetChangeStart(guid, kPercentValue,
                                          SafeRatio(height - minHeight, maxHeight - minHeight));
        } else {
            height = g_dataBarStore.InterpolateChange(guid, minHeight, maxHeight, changeFrames);
        }
    }
    // A value far beyond Min and Max gives a height past any use.
    height = BoundedGeometryValue(height);
    if (IsOn(object->GetParam(kSaveHeight)))
        g_linkValues[linkId] = height;

    double top = IsOn(bottomXZ) ? height : height / 2;
    double bottom = IsOn(bottomXZ) ? 0.0 : -height / 2;
    top += bottomOffset;
    bottom += bottomOffset;
    const float topY = static_cast<float>(top), bottomY = static_cast<float>(bottom);

    if (outlineCount > 0) {
        const double wallHeight = top - bottom;
        for (int32_t j = 1; j < outlineCount; ++j) {
            const OutlinePoint& q = outline[j - 1];
            const OutlinePoint& r = outline[j];
            const double dx = r.x - q.x, dz = r.y - q.y;
            const float nx = static_cast<float>(-wallHeight * dz), nz = static_cast<float>(wallHeight * dx);
            const float u0 = bar.wallU[static_cast<size_t>(j - 1)], u1 = bar.wallU[static_cast<size_t>(j)];
            writer.Add(u0, 0, nx, 0, nz, q.x, bottomY, q.y);
            writer.Add(u1, 0, nx, 0, nz, r.x, bottomY, r.y);
            writer.Add(u1, 1, nx, 0, nz, r.x, topY, r.y);
            writer.Add(u0, 1, nx, 0, nz, q.x, topY, q.y);
        }
    }
    object->SetPrimitiveCount(writer.Next() - start);
    object->EndPart();

    start = writer.Next();
    object->BeginPart("Top");
    object->BeginPrimitivesAt(kGeoPrimitiveLids, start);
    for (int32_t j = 0; j < lidCount; ++j) {
        const size_t at = static_cast<size_t>(j);
        const CTriDC::Corner& p = lids[at];
        writer.Add(bar.lidU[at], bar.topV[at], 0, 1, 0, p.x, topY, p.y);
    }
    object->SetPrimitiveCount(writer.Next() - start);
    object->EndPart();

    start = writer.Next();
    object->BeginPart("Bottom");
    object->BeginPrimitivesAt(kGeoPrimitiveLids, start);
    for (int32_t j = 0; j + 2 < lidCount; j += 3) {
        for (const int32_t corner : {j + 2, j + 1, j}) {
            const size_t at = static_cast<size_t>(corner);
            const CTriDC::Corner& p = lids[at];
            writer.Add(bar.lidU[at], bar.bottomV[at], 0, -1, 0, p.x, bottomY, p.y);
        }
    }
    object->SetPrimitiveCount(writer.Next() - start);
    object->EndPart();
    vertexIndex = writer.Next();
}

void RebuildMesh(IGeoObject* object, const std::wstring& guid)
{
    RebuildMesh(object, guid, g_barOutlines);
}

void RebuildMesh(IGeoObject* object, const std::wstring& guid, CBarOutlineCache& outlines)
{
    if (!object)
        return;
    BarOutline none;
    const BarOutline* bar = &none;
    if (IsOn(object->GetParam(kEnabled))) {
        OutlineKey key = ReadOutlineKey(*object);
        const BarOutline* kept = outlines.Find(guid, key);
        if (!kept)
            kept = &outlines.Keep(guid, std::move(key), MakeBarOutline(*object));
        if (kept->usable && HeightsAreUsable(*object)) {
            bar = kept;
        } else {
            // Refused values build an object without vertices, as Enabled off does.
            OutputDebugStringW(L"Vantre: an outline or height parameter is no usable number; no mesh built\n");
        }
    }

    const int32_t outlineCount = static_cast<int32_t>(bar->points.size());
    const int64_t expected = outlineCount > 0 ? 6 * static_cast<int64_t>(bar->triangles) + 4 * outlineCount - 4 : 0;
    GeoMeshBuffers* buffers = object->GetMeshBuffers();
    if (!buffers || expected * kFloatsPerVertex > INT32_MAX) {
        WriteEmptyParts(*object);
        return;
    }
    g_dataBarStore.AttachMeshRecord(guid, buffers);
    const BuildInProgress building(guid);
    buffers->hasGeometry = 1;
    const uint32_t needFloats = static_cast<uint32_t>(expected * kFloatsPerVertex);
    const uint32_t needIndices = static_cast<uint32_t>(expected);
    if (buffers->vertexRoom < needFloats)
        object->ReserveVertices(static_cast<int32_t>(needFloats));
    if (buffers->indexRoom < needIndices)
        object->ReserveIndices(static_cast<int32_t>(needIndices));
    if (expected > 0 && (!buffers->vertices || !buffers->indices || buffers->vertexRoom < needFloats ||
                         buffers->indexRoom < needIndices)) {
        WriteEmptyParts(*object);
        return;
    }

    int32_t vertexIndex = 0;
    WriteBarVertices(object, vertexIndex, buffers->indices, buffers->vertices, *bar, guid);
    if (vertexIndex != expected) {
        char text[96];
        snprintf(text, sizeof text, "Error vertexCount=%d, vertexIndex=%d\n", static_cast<int>(expected),
                 static_cast<int>(vertexIndex));
        OutputDebugStringA(text);
    }
}
