#pragma once
// The triangulation bench's yardstick: a plain ear clipper over a linked
// ring that, past 80 points, finds the points near an ear through a ring
// sorted by their z-order (Morton) codes. It clips convex ears with no
// reflex point inside, and gives up on an outline where none is left; the
// bench's outlines never get there.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "geometry/Vec3f.h"

class CZOrderEarClipper {
public:
    // Triangles of the first `count` points (the closing repeat left out).
    int32_t Triangulate(const Vec3f* points, int32_t count)
    {
        m_nodes.clear();
        if (count < 3)
            return 0;
        m_nodes.reserve(static_cast<size_t>(count));
        double twiceArea = 0;
        for (int32_t i = 0, j = count - 1; i < count; j = i++)
            twiceArea += (static_cast<double>(points[j].x) - points[i].x) * (static_cast<double>(points[i].y) + points[j].y);
        // The ring runs counter-clockwise.
        for (int32_t k = 0; k < count; ++k) {
            const int32_t i = twiceArea > 0 ? k : count - 1 - k;
            m_nodes.push_back({points[i].x, points[i].y, i});
        }
        const int32_t n = count;
        for (int32_t k = 0; k < n; ++k) {
            m_nodes[static_cast<size_t>(k)].prev = (k + n - 1) % n;
            m_nodes[static_cast<size_t>(k)].next = (k + 1) % n;
        }
        m_hashed = n > 80;
        if (m_hashed)
            IndexCurve();

        int32_t triangles = 0, remaining = n;
        int32_t ear = 0, stop = 0;
        while (remaining > 2) {
            const int32_t next = At(ear).next;
            if (m_hashed ? IsEarHashed(ear) : IsEar(ear)) {
                ++triangles;
                Remove(ear);
                --remaining;
                ear = At(next).next;
                stop = ear;
                continue;
            }
            ear = next;
            if (ear == stop)
                break;
        }
        return triangles;
    }

private:
    struct Node {
        float x, y;
        int32_t i;
        int32_t prev = -1, next = -1;
        uint32_t z = 0;
        int32_t prevZ = -1, nextZ = -1;
    };

    Node& At(int32_t k) { return m_nodes[static_cast<size_t>(k)]; }

    static float Area(const Node& p, const Node& q, const Node& r)
    {
        return (q.y - p.y) * (r.x - q.x) - (q.x - p.x) * (r.y - q.y);
    }
    static bool InTriangle(const Node& a, const Node& b, const Node& c, const Node& p)
    {
        return (c.x - p.x) * (a.y - p.y) >= (a.x - p.x) * (c.y - p.y) &&
               (a.x - p.x) * (b.y - p.y) >= (b.x - p.x) * (a.y - p.y) &&
               (b.x - p.x) * (c.y - p.y) >= (c.x - p.x) * (b.y - p.y);
    }

    bool IsEar(int32_t ear)
    {
        const Node &a = At(At(ear).prev), &b = At(ear), &c = At(At(ear).next);
        if (Area(a, b, c) >= 0)
            return false;
        for (int32_t p = c.next; p != b.prev; p = At(p).next) {
            const Node& q = At(p);
            if (InTriangle(a, b, c, q) && Area(At(q.prev), q, At(q.next)) >= 0)
                return false;
        }
        return true;
    }

    bool IsEarHashed(int32_t ear)
    {
        const Node &a = At(At(ear).prev), &b = At(ear), &c = At(At(ear).next);
        if (Area(a, b, c) >= 0)
            return false;
        const uint32_t minZ = ZOrder(std::min({a.x, b.x, c.x}), std::min({a.y, b.y, c.y}));
        const uint32_t maxZ = ZOrder(std::max({a.x, b.x, c.x}), std::max({a.y, b.y, c.y}));
        const auto intrudes = [&](int32_t p) {
            const Node& q = At(p);
            return p != b.prev && p != b.next && InTriangle(a, b, c, q) && Area(At(q.prev), q, At(q.next)) >= 0;
        };
        int32_t down = b.prevZ, up = b.nextZ;
        while (down >= 0 && At(down).z >= minZ && up >= 0 && At(up).z <= maxZ) {
            if (intrudes(down) || intrudes(up))
                return false;
            down = At(down).prevZ;
            up = At(up).nextZ;
        }
        for (; down >= 0 && At(down).z >= minZ; down = At(down).prevZ) {
            if (intrudes(down))
                return false;
        }
        for (; up >= 0 && At(up).z <= maxZ; up = At(up).nextZ) {
            if (intrudes(up))
                return false;
        }
        return true;
    }

    void Remove(int32_t k)
    {
        Node& node = At(k);
        At(node.next).prev = node.prev;
        At(node.prev).next = node.next;
        if (node.prevZ >= 0)
            At(node.prevZ).nextZ = node.nextZ;
        if (node.nextZ >= 0)
            At(node.nextZ).prevZ = node.prevZ;
    }

    uint32_t ZOrder(float fx, float fy) const
    {
        uint32_t x = static_cast<uint32_t>((fx - m_minX) * m_scale), y = static_cast<uint32_t>((fy - m_minY) * m_scale);
        for (uint32_t* v : {&x, &y}) {
            *v = (*v | (*v << 8)) & 0x00FF00FF;
            *v = (*v | (*v << 4)) & 0x0F0F0F0F;
            *v = (*v | (*v << 2)) & 0x33333333;
            *v = (*v | (*v << 1)) & 0x55555555;
        }
        return x | (y << 1);
    }

    // The z codes, and the ring in their order (a sort of node numbers).
    void IndexCurve()
    {
        float minX = m_nodes[0].x, minY = m_nodes[0].y, maxX = minX, maxY = minY;
        for (const Node& node : m_nodes) {
            minX = std::min(minX, node.x), maxX = std::max(maxX, node.x);
            minY = std::min(minY, node.y), maxY = std::max(maxY, node.y);
        }
        const float size = std::max(maxX - minX, maxY - minY);
        m_minX = minX, m_minY = minY;
        m_scale = size > 0 ? 32767.0f / size : 0.0f;
        m_order.resize(m_nodes.size());
        for (size_t k = 0; k < m_nodes.size(); ++k) {
            m_nodes[k].z = ZOrder(m_nodes[k].x, m_nodes[k].y);
            m_order[k] = static_cast<int32_t>(k);
        }
        std::sort(m_order.begin(), m_order.end(), [&](int32_t a, int32_t b) { return At(a).z < At(b).z; });
        for (size_t k = 0; k < m_order.size(); ++k) {
            Node& node = At(m_order[k]);
            node.prevZ = k > 0 ? m_order[k - 1] : -1;
            node.nextZ = k + 1 < m_order.size() ? m_order[k + 1] : -1;
        }
    }

    std::vector<Node> m_nodes;
    std::vector<int32_t> m_order;
    bool m_hashed = false;
    float m_minX = 0, m_minY = 0, m_scale = 0;
};
