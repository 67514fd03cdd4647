#include "geometry/PolyTri.h"

#include <algorithm>

namespace {

Vec3f Subtract(const Vec3f& a, const Vec3f& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3f Cross(const Vec3f& a, const Vec3f& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const Vec3f& a, const Vec3f& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// A corner is degenerate when the sine of its angle squared falls below
// this, relative to its two edges, so the test does not depend on the size
// of the outline (2^-23, about 0.02 degrees).
constexpr float kDegenerateSineSq = 1.1920929e-7f;

}  // namespace

int32_t CPolyTri::ClipEars(const Vec3f* points, const Vec3f& reference, int32_t count)
{
    if (!points || count <= 3)
        return 0;
    m_indices.resize(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        m_indices[static_cast<size_t>(i)] = i;

    int32_t emitted = 0;
    bool progress = true;
    while (count > 3 && progress) {
        progress = false;
        int32_t a = 0, b = 1, c = 2;
        while (c < count) {
            const int t = CornerTest(points[m_indices[a]], points[m_indices[b]], points[m_indices[c]], reference);
            if (t == -1 || (t == 1 && AnyPointInside(points, a, c, count))) {
                a = b;
                b = c;
                ++c;
                continue;
            }
            if (t == 1) {
                EmitTriangle(points, m_indices[a], m_indices[b], m_indices[c]);
                ++emitted;
            }
            // The middle corner leaves; the next vertex becomes the middle.
            m_indices.erase(m_indices.begin() + b);
            --count;
            progress = true;
        }
    }
    return emitted;
}

int CPolyTri::CornerTest(const Vec3f& a, const Vec3f& b, const Vec3f& c, const Vec3f& reference)
{
    m_edgeA = Subtract(a, c);
    m_edgeB = Subtract(b, c);
    m_cornerNormal = Cross(m_edgeA, m_edgeB);
    m_cornerNormalSq = Dot(m_cornerNormal, m_cornerNormal);
    const float edgesSq = Dot(m_edgeA, m_edgeA) * Dot(m_edgeB, m_edgeB);
    if (m_cornerNormalSq <= kDegenerateSineSq * edgesSq)
        return 0;
    return Dot(m_cornerNormal, reference) < 0.0f ? -1 : 1;
}

bool CPolyTri::AnyPointInside(const Vec3f* points, int32_t a, int32_t c, int32_t count) const
{
    const Vec3f& cornerC = points[m_indices[c]];
    // For a corner in a plane of constant z (the outlines' case) a point
    // outside the corner's x-y bounds cannot be inside: an exact test that
    // spares the products for almost every point of a large outline.
    const bool flat = m_cornerNormal.x == 0.0f && m_cornerNormal.y == 0.0f;
    // The three corners sit at consecutive positions a, a + 1, c.
    const Vec3f& cornerA = points[m_indices[a]];
    const Vec3f& cornerB = points[m_indices[a + 1]];
    const float minX = std::min({cornerA.x, cornerB.x, cornerC.x}), maxX = std::max({cornerA.x, cornerB.x, cornerC.x});
    const float minY = std::min({cornerA.y, cornerB.y, cornerC.y}), maxY = std::max({cornerA.y, cornerB.y, cornerC.y});
    for (int32_t i = 0; i < count; ++i) {
        if (i >= a && i <= c)
            continue;
        const Vec3f& p = points[m_indices[i]];
        if (flat && (p.x < minX || p.x > maxX || p.y < minY || p.y > maxY))
            continue;
        const Vec3f d = Subtract(p, cornerC);
        const float s = Dot(m_cornerNormal, Cross(d, m_edgeB));
        if (s <= 0.0f)
            continue;
        const float t = Dot(m_cornerNormal, Cross(m_edgeA, d));
        if (t <= 0.0f)
            continue;
        if (m_cornerNormalSq - s - t > 0.0f)
            return true;
    }
    return false;
}

void CPolyTri::EmitTriangle(const Vec3f*, int32_t, int32_t, int32_t)
{
}

CTriDC::CTriDC(int32_t userValue) : m_userValue(userValue)
{
    m_vertices.reserve(kInitialRoom);
}

void CTriDC::EmitTriangle(const Vec3f* points, int32_t a, int32_t b, int32_t c)
{
    for (const int32_t corner : {a, b, c}) {
        const Vec3f& p = points[corner];
        m_minX = std::min<double>(m_minX, p.x);
        m_maxX = std::max<double>(m_maxX, p.x);
        m_minY = std::min<double>(m_minY, p.y);
        m_maxY = std::max<double>(m_maxY, p.y);
        m_vertices.push_back({p.x, p.y});
    }
}

double CTriDC::U(int32_t j) const
{
    return (GetVertex(j).x - m_minX) / (m_maxX - m_minX);
}

double CTriDC::V(int32_t j) const
{
    return (m_minY - GetVertex(j).y) / (m_maxY - m_minY);
}
