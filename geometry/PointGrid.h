#pragma once
// A uniform grid over chosen points of a polygon, so that a search for the
// points inside a small triangle visits only the cells its bounds cover.

#include <cstdint>
#include <vector>

#include "geometry/Vec3f.h"

class CPointGrid {
public:
    // Indexes points[id] for every id given; what was indexed before is gone.
    void Build(const Vec3f* points, const std::vector<int32_t>& ids);
    // One more id after the build.
    void Add(int32_t id);

    // Calls visit(id) for the ids whose points may lie within the bounds (and
    // for none that do not) until it returns true; true when one did.
    template <class Visit>
    bool AnyInBounds(float minX, float minY, float maxX, float maxY, Visit&& visit) const
    {
        const int32_t firstColumn = Column(minX), lastColumn = Column(maxX);
        const int32_t firstRow = Row(minY), lastRow = Row(maxY);
        for (int32_t row = firstRow; row <= lastRow; ++row) {
            for (int32_t column = firstColumn; column <= lastColumn; ++column) {
                const size_t cell = static_cast<size_t>(row) * static_cast<size_t>(m_columns) + column;
                for (uint32_t e = m_cellStart[cell]; e < m_cellStart[cell + 1]; ++e) {
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
    int32_t Column(float x) const { return Cell((x - m_originX) * m_scaleX, m_columns); }
    int32_t Row(float y) const { return Cell((y - m_originY) * m_scaleY, m_rows); }
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

    const Vec3f* m_points = nullptr;
    double m_originX = 0.0, m_originY = 0.0;
    double m_scaleX = 0.0, m_scaleY = 0.0;   // cells per unit
    int32_t m_columns = 1, m_rows = 1;
    std::vector<uint32_t> m_cellStart{0, 0};   // entries of cell k: [start[k], start[k + 1])
    std::vector<int32_t> m_entries;
    std::vector<int32_t> m_added;             // since the build, searched whole
    std::vector<int32_t> m_cellOf;            // scratch of the build
};
