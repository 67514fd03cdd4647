#pragma once
// A uniform grid over chosen points of a polygon, so that a search for the
// points inside a small triangle visits only the cells its bounds cover.
// Points leave it as they stop mattering; once most have left, the grid is
// built again, coarser, so large searches late in a triangulation stay cheap.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/Vec3f.h"

class CPointGrid {
public:
    // Indexes points[id] for every id given (ids below `idCount`); what was
    // indexed before is gone.
    void Build(const Vec3f* points, int32_t idCount, const std::vector<int32_t>& ids);
    // One more id, or one fewer; ids not indexed are ignored by Remove.
    void Add(int32_t id);
    void Remove(int32_t id);

    // Calls visit(id) for the ids whose points may lie within the bounds (and
    // for none that do not) until it returns true; true when one did.
    template <class Visit>
    bool AnyInBounds(float minX, float minY, float maxX, float maxY, Visit&& visit) const
    {
        if (m_cellStart.empty())
            return false;   // never built
        const int32_t firstColumn = Column(minX), lastColumn = Column(maxX);
        const int32_t firstRow = Row(minY), lastRow = Row(maxY);
        for (int32_t row = firstRow; row <= lastRow; ++row) {
            for (int32_t column = firstColumn; column <= lastColumn; ++column) {
                const size_t cell = static_cast<size_t>(row) * static_cast<size_t>(m_columns) + column;
                for (uint32_t e = m_cellStart[cell]; e < m_cellEnd[cell]; ++e) {
                    if (visit(m_entries[e]))
                        return true;
                }
            }
        }
        for (const int32_t id : m_added) {
            if (visit(id))
                return true;
        }
        return false;
    }

private:
    static constexpr int32_t kNotIndexed = -1;
    static constexpr int32_t kAdded = -2;

    int32_t Column(float x) const { return Cell((x - m_originX) * m_scaleX, m_columns); }
    int32_t Row(float y) const { return Cell((y - m_originY) * m_scaleY, m_rows); }
    size_t CellOf(const Vec3f& p) const
    {
        return static_cast<size_t>(Row(p.y)) * static_cast<size_t>(m_columns) + static_cast<size_t>(Column(p.x));
    }
    // Monotone in `at`, so every point within a query's bounds falls in the
    // cells between those of the bounds; out-of-range and NaN go to an edge.
    static int32_t Cell(double at, int32_t cells)
    {
        if (!(at > 0.0))
            return 0;
        if (at >= cells - 1)
            return cells - 1;
        return static_cast<int32_t>(at);
    }
    void Rebuild();

    const Vec3f* m_points = nullptr;
    double m_originX = 0.0, m_originY = 0.0;
    double m_scaleX = 0.0, m_scaleY = 0.0;   // cells per unit
    int32_t m_columns = 1, m_rows = 1;
    // The ids of cell k: m_entries[start[k]] ... before m_entries[end[k]];
    // empty until the first build, so an unused grid allocates nothing.
    std::vector<uint32_t> m_cellStart;
    std::vector<uint32_t> m_cellEnd;
    std::vector<int32_t> m_entries;
    std::vector<int32_t> m_slot;    // per id: its place in m_entries, or kNotIndexed / kAdded
    std::vector<int32_t> m_added;   // since the build, searched whole
    size_t m_built = 0;             // ids at the build
    size_t m_live = 0;              // ids indexed now
};
