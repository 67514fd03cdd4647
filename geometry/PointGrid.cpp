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

void CPointGrid::Build(const Vec3f* points, int32_t idCount, const std::vector<int32_t>& ids)
{
    m_points = points;
    m_added.clear();
    m_slot.assign(static_cast<size_t>(std::max(idCount, 0)), kNotIndexed);
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
    for (const int32_t id : ids)
        ++m_cellStart[CellOf(points[id]) + 1];
    for (size_t cell = 0; cell < cells; ++cell)
        m_cellStart[cell + 1] += m_cellStart[cell];
    m_cellEnd.assign(m_cellStart.begin(), m_cellStart.end() - 1);
    m_entries.resize(ids.size());
    for (const int32_t id : ids) {
        const uint32_t slot = m_cellEnd[CellOf(points[id])]++;
        m_entries[slot] = id;
        m_slot[static_cast<size_t>(id)] = static_cast<int32_t>(slot);
    }
    m_built = m_live = ids.size();
}

void CPointGrid::Add(int32_t id)
{
    int32_t& slot = m_slot[static_cast<size_t>(id)];
    if (slot != kNotIndexed)
        return;
    slot = kAdded;
    m_added.push_back(id);
    ++m_live;
    // Additions are searched whole on every query: past a few, index them.
    if (m_added.size() > 16 + m_built / 8)
        Rebuild();
}

void CPointGrid::Remove(int32_t id)
{
    int32_t& slot = m_slot[static_cast<size_t>(id)];
    if (slot == kNotIndexed)
        return;
    if (slot == kAdded) {
        m_added.erase(std::find(m_added.begin(), m_added.end(), id));
    } else {
        // The cell's last id takes the place of the one leaving.
        const size_t cell = CellOf(m_points[id]);
        const uint32_t last = --m_cellEnd[cell];
        const int32_t moved = m_entries[last];
        m_entries[static_cast<size_t>(slot)] = moved;
        m_slot[static_cast<size_t>(moved)] = slot;
    }
    slot = kNotIndexed;
    --m_live;
    if (m_built > 32 && m_live < m_built / 4)
        Rebuild();
}

void CPointGrid::Rebuild()
{
    std::vector<int32_t> live;
    live.reserve(m_live);
    for (size_t cell = 0; cell + 1 < m_cellStart.size(); ++cell)
        live.insert(live.end(), m_entries.begin() + m_cellStart[cell], m_entries.begin() + m_cellEnd[cell]);
    live.insert(live.end(), m_added.begin(), m_added.end());
    Build(m_points, static_cast<int32_t>(m_slot.size()), live);
}
