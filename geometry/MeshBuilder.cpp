#include "geometry/MeshBuilder.h"

#include <windows.h>
#include <emmintrin.h>

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
    const int32_t corners = lids.GetVertexCount();
    outline->topLid.reserve(static_cast<size_t>(corners));
    for (int32_t j = 0; j < corners; ++j) {
        const CTriDC::Corner& p = lids.GetVertex(j);
        outline->topLid.push_back({static_cast<float>(SafeRatio(p.x - lids.MinX(), spanX)),
                                   static_cast<float>(SafeRatio(lids.MinY() - p.y, spanY)), p.x, p.y});
    }
    outline->bottomLid.reserve(static_cast<size_t>(corners));
    for (int32_t j = 0; j + 2 < corners; j += 3) {
        for (const int32_t corner : {j + 2, j + 1, j}) {
            const BarOutline::LidCorner& top = outline->topLid[static_cast<size_t>(corner)];
            const double v = SafeRatio(lids.MinY() - top.z, spanY);
            outline->bottomLid.push_back({top.u, static_cast<float>(1 - v), top.x, top.z});
        }
    }
    return outline;
}

// Writes vertex records one after another, each built in two SSE
// registers and stored in two wide stores: eight narrow stores a record cost
// twice the floor's time, and a record assembled in memory and copied over
// stalls on every copy, since a load spanning several narrower stores just
// made cannot take their values from the store queue. The indices, which
// only count up, are written in one pass at the end.
class VertexWriter {
public:
    VertexWriter(int32_t* indices, float* vertices, int32_t first)
        : m_indices(indices), m_vertices(vertices), m_first(first), m_next(first)
    {
    }
    int32_t Next() const { return m_next; }

    // A record from its two halves: u, v, nx, ny and nz, x, y, z.
    void Add(__m128 low, __m128 high)
    {
        float* const out = m_vertices + static_cast<size_t>(m_next) * kFloatsPerVertex;
        _mm_storeu_ps(out, low);
        _mm_storeu_ps(out + 4, high);
        ++m_next;
    }

    // Writes the indices of every record added; returns the next index.
    int32_t Finish()
    {
        int32_t i = m_first;
        __m128i four = _mm_setr_epi32(i, i + 1, i + 2, i + 3);
        for (; i + 4 <= m_next; i += 4) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(m_indices + i), four);
            four = _mm_add_epi32(four, _mm_set1_epi32(4));
        }
        for (; i < m_next; ++i)
            m_indices[i] = i;
        return m_next;
    }

private:
    int32_t* const m_indices;
    float* const m_vertices;
    const int32_t m_first;
    int32_t m_next;
};

// x, z of an outline point in the low half (__m64 may alias anything).
__m128 Point(const OutlinePoint& point)
{
    static_assert(sizeof(OutlinePoint) == sizeof(__m64), "two floats, nothing between");
    return _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(&point));
}

// A lid's record: `normal` holds (0, ny) low, `height` holds y high.
void AddLidRecord(VertexWriter& writer, const BarOutline::LidCorner& corner, __m128 normal, __m128 height)
{
    const __m128 uvxz = _mm_loadu_ps(&corner.u);
    writer.Add(_mm_movelh_ps(uvxz, normal),      // u, v, 0, ny
               _mm_unpackhi_ps(height, uvxz));   // 0, x, y, z
}

}  // namespace

void WriteBarVertices(IGeoObject* object, int32_t& vertexIndex, int32_t* indices, float* vertices,
                      const BarOutline& bar, const std::wstring& guid)
{
    const std::vector<OutlinePoint>& outline = bar.points;
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
        const __m128 bottomYs = _mm_set1_ps(bottomY), topYs = _mm_set1_ps(topY);
        const __m128 vIsOne = _mm_setr_ps(0, 1, 0, 0);   // ored into (u, 0): v = 1
        for (int32_t j = 1; j < outlineCount; ++j) {
            const OutlinePoint& q = outline[j - 1];
            const OutlinePoint& r = outline[j];
            const double dx = r.x - q.x, dz = r.y - q.y;
            const float nx = static_cast<float>(-wallHeight * dz), nz = static_cast<float>(wallHeight * dx);
            const __m128 u0 = _mm_set_ss(bar.wallU[static_cast<size_t>(j - 1)]);   // u, 0
            const __m128 u1 = _mm_set_ss(bar.wallU[static_cast<size_t>(j)]);
            const __m128 normal = _mm_movelh_ps(_mm_set_ss(nx), _mm_set_ss(nz));     // nx, 0, nz, 0
            const __m128 atBottom = _mm_unpacklo_ps(_mm_set_ss(nz), bottomYs);        // nz, y
            const __m128 atTop = _mm_unpacklo_ps(_mm_set_ss(nz), topYs);
            const __m128 from = Point(q), to = Point(r);                            // x, z
            writer.Add(_mm_movelh_ps(u0, normal), _mm_unpacklo_ps(atBottom, from));
            writer.Add(_mm_movelh_ps(u1, normal), _mm_unpacklo_ps(atBottom, to));
            writer.Add(_mm_movelh_ps(_mm_or_ps(u1, vIsOne), normal), _mm_unpacklo_ps(atTop, to));
            writer.Add(_mm_movelh_ps(_mm_or_ps(u0, vIsOne), normal), _mm_unpacklo_ps(atTop, from));
        }
    }
    object->SetPrimitiveCount(writer.Next() - start);
    object->EndPart();

    start = writer.Next();
    object->BeginPart("Top");
    object->BeginPrimitivesAt(kGeoPrimitiveLids, start);
    const __m128 up = _mm_setr_ps(0, 1, 0, 0), atTop = _mm_setr_ps(0, 0, 0, topY);
    for (const BarOutline::LidCorner& corner : bar.topLid)
        AddLidRecord(writer, corner, up, atTop);
    object->SetPrimitiveCount(writer.Next() - start);
    object->EndPart();

    start = writer.Next();
    object->BeginPart("Bottom");
    object->BeginPrimitivesAt(kGeoPrimitiveLids, start);
    const __m128 down = _mm_setr_ps(0, -1, 0, 0), atBottom = _mm_setr_ps(0, 0, 0, bottomY);
    for (const BarOutline::LidCorner& corner : bar.bottomLid)
        AddLidRecord(writer, corner, down, atBottom);
    object->SetPrimitiveCount(writer.Next() - start);
    object->EndPart();
    vertexIndex = writer.Finish();
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
