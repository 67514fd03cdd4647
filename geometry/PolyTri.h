#pragma once
// Ear clipping of a simple polygon, and a recorder of the triangles with the
// bounds the lids' texture coordinates need.

#include <cstdint>
#include <vector>

struct Vec3f {
    float x, y, z;
};

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
    virtual void EmitTriangle(const Vec3f* points, int32_t a, int32_t b, int32_t c);

private:
    // 1 convex, -1 reflex, 0 degenerate (repeated or collinear corners).
    int CornerTest(const Vec3f& a, const Vec3f& b, const Vec3f& c, const Vec3f& reference);
    // Whether a vertex outside positions a..c lies strictly inside the corner
    // just tested.
    bool AnyPointInside(const Vec3f* points, int32_t a, int32_t c, int32_t count) const;

    std::vector<int32_t> m_indices;
    Vec3f m_edgeA{};
    Vec3f m_edgeB{};
    Vec3f m_cornerNormal{};
    float m_cornerNormalSq = 0.0f;
};

class CTriDC : public CPolyTri {
public:
    struct Corner {
        float x, y;
    };

    explicit CTriDC(int32_t userValue = 0);

    int32_t GetVertexCount() const { return static_cast<int32_t>(m_vertices.size()); }
    const Corner& GetVertex(int32_t j) const { return m_vertices[static_cast<size_t>(j)]; }
    // Texture coordinates over the bounds of all emitted corners.
    double U(int32_t j) const;
    double V(int32_t j) const;

    double MinX() const { return m_minX; }
    double MinY() const { return m_minY; }
    double MaxX() const { return m_maxX; }
    double MaxY() const { return m_maxY; }
    int32_t UserValue() const { return m_userValue; }

protected:
    void EmitTriangle(const Vec3f* points, int32_t a, int32_t b, int32_t c) override;

private:
    // Room for the usual outline up front; finer outlines grow the array.
    static constexpr size_t kInitialRoom = 4000;

    std::vector<Corner> m_vertices;
    double m_minX = 1000000.0;
    double m_minY = 1000000.0;
    double m_maxX = -1000000.0;
    double m_maxY = -1000000.0;
    int32_t m_userValue;
};
