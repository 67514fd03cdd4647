#include "geometry/PointGrid.h"

#include <algorithm>
#include <cmath>

namespace {

// About one point a cell; a grid never has more cells than that.
int32_t CellsAlong(double span, double otherSpan, size_t points)
{
    const double count = static_cast<double>(std::max<size_t>(points, 1));
    if (!(span > 0.0) || !std::isfinite(span))
        return 1;
    if (!(otherSpan > 0.0) || !std::isfinite(otherSpan))
        return static_cast<int32_t>(count);
    const double cells = std::round(std::sqrt(count * span / otherSpan));
    return static_cast<int32_t>(std::clamp(cells, 1.0, count));
}

}  // namespace

void CPointGrid::Build(const Vec3f* points, const std::vector<int32_t>& ids)
{
    m_points = points;
    m_added.clear();
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (const int32_t id : ids) {
        const Vec3f& p = points[id];
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            continue;
        minX = std::min<double>(minX, p.x);
        maxX = std::max<double>(maxX, p.x);
        minY = std::min<double>(minY, p.y);
        maxY = std::max<double>(maxY, p.y);
    }
    const double spanX = maxX - minX, spanY = maxY - minY;
    m_columns = CellsAlong(spanX, spanY, ids.size());
    m_rows = CellsAlong(spanY, spanX, ids.size());
    if (static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows) > std::max<size_t>(ids.size(), 1))
        m_rows = static_cast<int32_t>(std::max<size_t>(ids.size() / static_cast<size_t>(m_columns), 1));
    m_originX = std::isfinite(minX) ? minX : 0.0;
    m_originY = std::isfinite(minY) ? minY : 0.0;
    m_scaleX = m_columns > 1 ? m_columns / spanX : 0.0;
    m_scaleY = m_rows > 1 ? m_rows / spanY : 0.0;

    // Counting sort of the ids into their cells.
    const size_t cells = static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows);
    m_cellStart.assign(cells + 1, 0);
    m_cellOf.resize(ids.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        const Vec3f& p = points[ids[i]];
        const size_t cell = static_cast<size_t>(Row(p.y)) * static_cast<size_t>(m_columns) + Column(p.x);
        m_cellOf[i] = static_cast<int32_t>(cell);
        ++m_cellStart[cell + 1];
    }
    for (size_t cell = 0; cell < cells; ++cell)
        m_cellStart[cell + 1] += m_cellStart[cell];
    m_entries.resize(ids.size());
    for (size_t i = 0; i < ids.size(); ++i)
        m_entries[m_cellStart[static_cast<size_t>(m_cellOf[i])]++] = ids[i];
    // The fill moved each start to the next cell's: move them back.
    for (size_t cell = cells; cell > 0; --cell)
        m_cellStart[cell] = m_cellStart[cell - 1];
    m_cellStart[0] = 0;
}

void CPointGrid::Add(int32_t id)
{
    m_added.push_back(id);
    // Additions are searched whole on every query: past a few, index them.
    if (m_added.size() > 16 + m_entries.size() / 8) {
        std::vector<int32_t> all(m_entries);
        all.insert(all.end(), m_added.begin(), m_added.end());
        Build(m_points, all);
    }
}
