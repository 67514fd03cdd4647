#include "geometry/PolyTri.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include <xmmintrin.h>

#include "geometry/OrientationSign.h"

namespace {

// A float's order as an integer's, for numbers (-0 sorts just below +0), so
// that the box test before the exact one needs no floating-point compare.
int32_t OrderKey(float f)
{
    int32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits ^ ((bits >> 31) & 0x7fffffff);
}

// The open box around a triangle's corners in those keys. It holds every
// point strictly inside the triangle; what else it lets through, the exact
// test turns away.
struct KeyBox {
    int32_t minX, maxX, minY, maxY;

    KeyBox(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t cx, int32_t cy)
        : minX(std::min({ax, bx, cx})), maxX(std::max({ax, bx, cx})), minY(std::min({ay, by, cy})),
          maxY(std::max({ay, by, cy}))
    {
    }
    KeyBox(const Vec3f& a, const Vec3f& b, const Vec3f& c)
        : KeyBox(OrderKey(a.x), OrderKey(a.y), OrderKey(b.x), OrderKey(b.y), OrderKey(c.x), OrderKey(c.y))
    {
    }
    bool Holds(int32_t x, int32_t y) const { return x > minX && x < maxX && y > minY && y < maxY; }
    bool Holds(const Vec3f& p) const { return Holds(OrderKey(p.x), OrderKey(p.y)); }
};

}  // namespace

int32_t CPolyTri::ClipEars(const Vec3f* points, const Vec3f& reference, int32_t count)
{
    if (!points || count <= 3)
        return 0;
    m_points = points;
    m_orientation = reference.z < 0.0f ? -1 : 1;
    m_gridded = count > kSmallOutline;
    if (m_gridded) {
        m_links.resize(static_cast<size_t>(count));
        m_chain = m_links.data();
    } else {
        m_chain = m_smallChain.data();
        for (int32_t i = 0; i < count; ++i)
            m_keys[i] = {OrderKey(points[i].x), OrderKey(points[i].y)};
    }
    for (int32_t i = 0; i < count; ++i)
        m_chain[i] = {i + 1, i - 1, kTurnUnknown};
    const int32_t last = count - 1;
    m_last = last;
    BeginTriangles(count - 2);
    int32_t remaining = count;

    // Straight, repeated and spiky corners go first, each chain of them back
    // to the last real corner: none of them holds area, and a spike left in
    // would let an ear reach across the outline along it.
    for (int32_t c = 2; c <= last; ++c) {
        for (int32_t b = Previous(c); b != 0 && Turn(b) == 0; b = Previous(c)) {
            Unlink(b);
            --remaining;
        }
    }

    // The two ends are never clipped and always searched; every other
    // vertex is searched while its corner is not convex.
    if (m_gridded) {
        m_notConvex.clear();
        for (int32_t i = 0; i <= last; i = Next(i)) {
            if (IsSearched(i))
                m_notConvex.push_back(i);
        }
        m_grid.Build(points, count, m_notConvex);
    } else {
        m_searchedCount = 0;
        std::fill_n(m_searchedSlot.begin(), count, kNotSearched);
        for (int32_t i = 0; i <= last; i = Next(i)) {
            if (IsSearched(i))
                AddSearched(i);
        }
    }

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
            const int t = Turn(b);
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
            RemoveSearched(b);
            --remaining;
            progress = true;
            UpdateSearch(a, last);
            UpdateSearch(c, last);
            b = c;
            c = Next(c);
        }
    } while (remaining > 3 && progress);
    EndTriangles();
    return emitted;
}

void CPolyTri::Unlink(int32_t b)
{
    const Link link = m_chain[b];
    m_chain[link.previous].next = link.next;
    m_chain[link.previous].turn = kTurnUnknown;
    m_chain[link.next].previous = link.previous;
    m_chain[link.next].turn = kTurnUnknown;
}

int CPolyTri::CornerTest(int32_t a, int32_t b, int32_t c) const
{
    const Vec3f &pa = m_points[a], &pb = m_points[b], &pc = m_points[c];
    return m_orientation * OrientationSign(pa.x, pa.y, pb.x, pb.y, pc.x, pc.y);
}

int CPolyTri::Turn(int32_t b)
{
    Link& link = m_chain[b];
    if (link.turn == kTurnUnknown)
        link.turn = CornerTest(link.previous, b, link.next);
    return link.turn;
}

bool CPolyTri::IsSearched(int32_t i)
{
    return i == 0 || i == m_last || Turn(i) != 1;
}

bool CPolyTri::IsInside(int32_t i, int32_t a, int32_t b, int32_t c) const
{
    const Vec3f &pa = m_points[a], &pb = m_points[b], &pc = m_points[c];
    const Vec3f& p = m_points[i];
    return m_orientation * OrientationSign(pa.x, pa.y, pb.x, pb.y, p.x, p.y) > 0 &&
           m_orientation * OrientationSign(pb.x, pb.y, pc.x, pc.y, p.x, p.y) > 0 &&
           m_orientation * OrientationSign(pc.x, pc.y, pa.x, pa.y, p.x, p.y) > 0;
}

bool CPolyTri::AnyPointInside(int32_t a, int32_t b, int32_t c)
{
    if (!m_gridded) {
        const OrderKeys &ka = m_keys[a], &kb = m_keys[b], &kc = m_keys[c];
        const KeyBox box(ka.x, ka.y, kb.x, kb.y, kc.x, kc.y);
        for (int32_t k = 0; k < m_searchedCount; ++k) {
            const int32_t i = m_searched[k];
            if (i != a && i != b && i != c && box.Holds(m_keys[i].x, m_keys[i].y) && IsInside(i, a, b, c))
                return true;
        }
        return false;
    }
    const Vec3f &pa = m_points[a], &pb = m_points[b], &pc = m_points[c];
    const KeyBox box(pa, pb, pc);
    const float minX = std::min({pa.x, pb.x, pc.x}), maxX = std::max({pa.x, pb.x, pc.x});
    const float minY = std::min({pa.y, pb.y, pc.y}), maxY = std::max({pa.y, pb.y, pc.y});
    return m_grid.AnyInBounds(minX, minY, maxX, maxY, [&](int32_t i) {
        return i != a && i != b && i != c && box.Holds(m_points[i]) && IsInside(i, a, b, c);
    });
}

void CPolyTri::UpdateSearch(int32_t b, int32_t last)
{
    if (b == 0 || b == last)
        return;
    if (Turn(b) == 1)
        RemoveSearched(b);
    else
        AddSearched(b);
}

void CPolyTri::AddSearched(int32_t i)
{
    if (m_gridded) {
        m_grid.Add(i);
    } else if (m_searchedSlot[i] == kNotSearched) {
        m_searchedSlot[i] = m_searchedCount;
        m_searched[m_searchedCount++] = i;
    }
}

void CPolyTri::RemoveSearched(int32_t i)
{
    if (m_gridded) {
        m_grid.Remove(i);
        return;
    }
    const int32_t slot = m_searchedSlot[i];
    if (slot == kNotSearched)
        return;
    // The list's last vertex takes the place of the one leaving.
    const int32_t moved = m_searched[--m_searchedCount];
    m_searched[slot] = moved;
    m_searchedSlot[moved] = slot;
    m_searchedSlot[i] = kNotSearched;
}

void CPolyTri::BeginTriangles(int32_t)
{
}

void CPolyTri::EmitTriangle(const Vec3f*, int32_t, int32_t, int32_t)
{
}

void CPolyTri::EndTriangles()
{
}

CTriDC::CTriDC(int32_t userValue) : m_userValue(userValue)
{
}

void CTriDC::BeginTriangles(int32_t most)
{
    m_callFirst = m_count;
    MakeRoom(m_count + 3 * static_cast<size_t>(std::max(most, 0)));
}

void CTriDC::MakeRoom(size_t corners)
{
    if (corners <= m_room)
        return;
    if (m_corners == m_fixed.data())
        m_grown.assign(m_fixed.begin(), m_fixed.begin() + static_cast<std::ptrdiff_t>(m_count));
    m_grown.resize(std::max(corners, 2 * m_room));
    m_corners = m_grown.data();
    m_room = m_grown.size();
}

void CTriDC::EmitTriangle(const Vec3f* points, int32_t a, int32_t b, int32_t c)
{
    if (m_count + 3 > m_room)   // BeginTriangles made room for the whole call: only the bound is checked here
        MakeRoom(m_count + 3);
    for (const int32_t vertex : {a, b, c})
        m_corners[m_count++] = {points[vertex].x, points[vertex].y};
}

void CTriDC::EndTriangles()
{
    static_assert(sizeof(Corner) == sizeof(__m64), "a corner loads as one pair");
    // The call's corners folded into the bounds once, in the order they
    // came, x and y together: each vertex is a corner of about three
    // triangles, and folding them as they came cost more than recording
    // them. As with min and max one by one, a NaN never becomes a bound, and
    // of equal values (-0 and +0) the one held first stays.
    __m128 low = _mm_setr_ps(m_minX, m_minY, 0, 0);
    __m128 high = _mm_setr_ps(m_maxX, m_maxY, 0, 0);
    for (size_t j = m_callFirst; j < m_count; ++j) {
        const __m128 corner = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(&m_corners[j]));
        low = _mm_min_ps(corner, low);
        high = _mm_max_ps(corner, high);
    }
    float lows[4], highs[4];
    _mm_storeu_ps(lows, low);
    _mm_storeu_ps(highs, high);
    m_minX = lows[0];
    m_minY = lows[1];
    m_maxX = highs[0];
    m_maxY = highs[1];
}

double CTriDC::U(int32_t j) const
{
    return (GetVertex(j).x - MinX()) / (MaxX() - MinX());
}

double CTriDC::V(int32_t j) const
{
    return (MinY() - GetVertex(j).y) / (MaxY() - MinY());
}
