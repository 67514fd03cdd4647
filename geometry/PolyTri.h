#pragma once
// Ear clipping of a simple polygon, and a recorder of the triangles with the
// bounds the lids' texture coordinates need.

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/PointGrid.h"
#include "geometry/Vec3f.h"

class CPolyTri {
public:
    CPolyTri() = default;
    virtual ~CPolyTri() = default;
    CPolyTri(const CPolyTri&) = delete;
    CPolyTri& operator=(const CPolyTri&) = delete;

    // Triangulates `count` points; the sign of `reference` along z gives the
    // outline's orientation. Returns the number of triangles emitted. Position
    // 0 and the last position are never clipped, so callers close the outline
    // by repeating the first point.
    int32_t ClipEars(const Vec3f* points, const Vec3f& reference, int32_t count);

protected:
    // Called once a call, before any triangle, with the most it can emit.
    virtual void BeginTriangles(int32_t most);
    virtual void EmitTriangle(const Vec3f* points, int32_t a, int32_t b, int32_t c);
    // Called once a call, after its last triangle.
    virtual void EndTriangles();

private:
    // Up to this many points the search goes through a list instead of a grid,
    // and list and chain live in the object: the search of a small lid
    // allocates nothing.
    static constexpr int32_t kSmallOutline = 64;

    // Not yet tested since the vertex's neighbours last changed.
    static constexpr int kTurnUnknown = 2;

    struct Link {
        int32_t next;
        int32_t previous;
        int turn;   // the CornerTest of previous, this vertex, next
    };

    // 1 convex, -1 reflex, 0 degenerate: repeated or exactly collinear
    // corners, whose removal changes no area. A corner only nearly straight
    // is convex or reflex like any other.
    int CornerTest(int32_t a, int32_t b, int32_t c) const;
    // CornerTest of b between its neighbours, tested once while they last.
    int Turn(int32_t b);
    // Whether a remaining vertex other than a, b, c lies strictly inside
    // their triangle. Only vertices that are not convex can be the first to
    // intrude into a convex corner, so only those are searched (with the
    // chain's two ends), through the grid, or a plain list of them when small.
    bool AnyPointInside(int32_t a, int32_t b, int32_t c);
    bool IsInside(int32_t i, int32_t a, int32_t b, int32_t c) const;
    bool IsSearched(int32_t i);
    int32_t Next(int32_t i) const { return m_chain[i].next; }
    int32_t Previous(int32_t i) const { return m_chain[i].previous; }
    // Takes b out of the chain.
    void Unlink(int32_t b);
    // After a clip next to b: b leaves the search once its corner is
    // convex, and joins it again should it stop being so (which only an
    // outline crossing itself can make happen).
    void UpdateSearch(int32_t b, int32_t last);
    // Into and out of the searched vertices: the grid's, or up to
    // kSmallOutline points, m_searched's.
    void AddSearched(int32_t i);
    void RemoveSearched(int32_t i);

    const Vec3f* m_points = nullptr;
    int m_orientation = 1;   // the sign of the turn of a convex corner
    int32_t m_last = 0;
    bool m_gridded = false;
    // The remaining vertices as a chain from the first position to the
    // last: in m_smallChain up to kSmallOutline points, else in m_links.
    Link* m_chain = nullptr;
    std::array<Link, kSmallOutline> m_smallChain;
    std::vector<Link> m_links;
    std::vector<int32_t> m_notConvex;   // scratch of the grid's build
    static constexpr int32_t kNotSearched = -1;
    std::array<int32_t, kSmallOutline> m_searched;       // in no order
    std::array<int32_t, kSmallOutline> m_searchedSlot;   // per vertex: its place there
    // Per vertex of a small outline, x and y as integers of the same order,
    // made once a call for the box tests of the search.
    struct OrderKeys {
        int32_t x, y;
    };
    std::array<OrderKeys, kSmallOutline> m_keys;
    int32_t m_searchedCount = 0;
    CPointGrid m_grid;
};

class CTriDC : public CPolyTri {
public:
    struct Corner {
        float x, y;   // nothing between: loaded as one pair
    };

    explicit CTriDC(int32_t userValue = 0);

    int32_t GetVertexCount() const { return static_cast<int32_t>(m_count); }
    const Corner& GetVertex(int32_t j) const { return m_corners[static_cast<size_t>(j)]; }
    // Three corners a triangle, in the order emitted: GetVertexCount() of them.
    const Corner* Vertices() const { return m_corners; }
    // Texture coordinates over the bounds of all emitted corners.
    double U(int32_t j) const;
    double V(int32_t j) const;

    double MinX() const { return m_minX; }
    double MinY() const { return m_minY; }
    double MaxX() const { return m_maxX; }
    double MaxY() const { return m_maxY; }
    int32_t UserValue() const { return m_userValue; }

protected:
    void BeginTriangles(int32_t most) override;
    void EmitTriangle(const Vec3f* points, int32_t a, int32_t b, int32_t c) override;
    void EndTriangles() override;

private:
    // A lid of up to this many corners is recorded without an allocation;
    // past it, the corners move to m_grown.
    static constexpr size_t kFixedRoom = 4000;

    void MakeRoom(size_t corners);

    std::array<Corner, kFixedRoom> m_fixed;
    std::vector<Corner> m_grown;
    Corner* m_corners = m_fixed.data();   // m_fixed or m_grown's
    size_t m_room = kFixedRoom;
    size_t m_count = 0;
    size_t m_callFirst = 0;   // the first corner of the current call
    // Kept as floats, the corners' own type: the same bounds as doubles
    // would hold, without a conversion for every corner.
    float m_minX = 1000000.0f;
    float m_minY = 1000000.0f;
    float m_maxX = -1000000.0f;
    float m_maxY = -1000000.0f;
    int32_t m_userValue;
};
