#include "geometry/PolyTri.h"

#include <algorithm>

#include "geometry/OrientationSign.h"

int32_t CPolyTri::ClipEars(const Vec3f* points, const Vec3f& reference, int32_t count)
{
    if (!points || count <= 3)
        return 0;
    m_points = points;
    m_orientation = reference.z < 0.0f ? -1 : 1;
    const size_t size = static_cast<size_t>(count);
    m_next.resize(size);
    m_previous.resize(size);
    for (int32_t i = 0; i < count; ++i) {
        m_next[static_cast<size_t>(i)] = i + 1;
        m_previous[static_cast<size_t>(i)] = i - 1;
    }
    const int32_t last = count - 1;
    int32_t remaining = count;

    // Straight, repeated and spiky corners go first, each chain of them back
    // to the last real corner: none of them holds area, and a spike left in
    // would let an ear reach across the outline along it.
    for (int32_t c = 2; c <= last; ++c) {
        for (int32_t b = Previous(c); b != 0 && CornerTest(Previous(b), b, c) == 0; b = Previous(c)) {
            Unlink(b);
            --remaining;
        }
    }

    // The two ends are never clipped and always searched; every other
    // vertex is searched while its corner is not convex.
    m_notConvex.clear();
    for (int32_t i = 0; i <= last; i = Next(i)) {
        if (i == 0 || i == last || CornerTest(Previous(i), i, Next(i)) != 1)
            m_notConvex.push_back(i);
    }
    m_grid.Build(points, count, m_notConvex);

    // Passes along the chain from its first vertex, each corner in turn;
    // after a clip the following vertex becomes the middle corner. A pass
    // starts while more than three vertices are left and the last one
    // clipped something.
    int32_t emitted = 0;
    bool progress = false;
    do {
        progress = false;
        int32_t a = 0, b = Next(0), c = Next(b);
        while (c <= last) {
            const int t = CornerTest(a, b, c);
            if (t == -1 || (t == 1 && AnyPointInside(a, b, c))) {
                a = b;
                b = c;
                c = Next(c);
                continue;
            }
            if (t == 1) {
                EmitTriangle(points, a, b, c);
                ++emitted;
            }
            Unlink(b);
            m_grid.Remove(b);
            --remaining;
            progress = true;
            UpdateSearch(a, last);
            UpdateSearch(c, last);
            b = c;
            c = Next(c);
        }
    } while (remaining > 3 && progress);
    return emitted;
}

void CPolyTri::Unlink(int32_t b)
{
    m_next[static_cast<size_t>(Previous(b))] = Next(b);
    m_previous[static_cast<size_t>(Next(b))] = Previous(b);
}

int CPolyTri::CornerTest(int32_t a, int32_t b, int32_t c) const
{
    const Vec3f &pa = m_points[a], &pb = m_points[b], &pc = m_points[c];
    return m_orientation * OrientationSign(pa.x, pa.y, pb.x, pb.y, pc.x, pc.y);
}

bool CPolyTri::AnyPointInside(int32_t a, int32_t b, int32_t c) const
{
    const Vec3f &pa = m_points[a], &pb = m_points[b], &pc = m_points[c];
    const float minX = std::min({pa.x, pb.x, pc.x}), maxX = std::max({pa.x, pb.x, pc.x});
    const float minY = std::min({pa.y, pb.y, pc.y}), maxY = std::max({pa.y, pb.y, pc.y});
    return m_grid.AnyInBounds(minX, minY, maxX, maxY, [&](int32_t i) {
        if (i == a || i == b || i == c)
            return false;
        const Vec3f& p = m_points[i];
        // Points on an edge or a corner count as outside.
        if (!(p.x > minX && p.x < maxX && p.y > minY && p.y < maxY))
            return false;
        return m_orientation * OrientationSign(pa.x, pa.y, pb.x, pb.y, p.x, p.y) > 0 &&
               m_orientation * OrientationSign(pb.x, pb.y, pc.x, pc.y, p.x, p.y) > 0 &&
               m_orientation * OrientationSign(pc.x, pc.y, pa.x, pa.y, p.x, p.y) > 0;
    });
}

void CPolyTri::UpdateSearch(int32_t b, int32_t last)
{
    if (b == 0 || b == last)
        return;
    if (CornerTest(Previous(b), b, Next(b)) == 1)
        m_grid.Remove(b);
    else
        m_grid.Add(b);
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
