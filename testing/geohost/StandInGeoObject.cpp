#include "testing/geohost/StandInGeoObject.h"

#include <cstring>

CStandInGeoObject::CStandInGeoObject()
{
    PointBuffersAtStorage();
}

void CStandInGeoObject::BeginPart(const char* partName)
{
    // The first part of a build starts a new record of parts.
    if (partName && strcmp(partName, "Bar") == 0)
        m_parts.clear();
    m_parts.push_back({partName ? partName : "", -1, -1, -1});
    m_partOpen = true;
}

void CStandInGeoObject::EndPart()
{
    m_partOpen = false;
}

void CStandInGeoObject::BeginPrimitivesAt(int32_t kind, int32_t firstVertex)
{
    if (!m_parts.empty()) {
        m_parts.back().kind = kind;
        m_parts.back().first = firstVertex;
    }
}

void CStandInGeoObject::SetPrimitiveCount(int32_t vertexCount)
{
    if (!m_parts.empty())
        m_parts.back().count = vertexCount;
}

double CStandInGeoObject::GetParam(int32_t id)
{
    double value = 0.0;
    const uint64_t bits = GetParamBits(id);
    memcpy(&value, &bits, sizeof value);
    return value;
}

void CStandInGeoObject::SetParam(int32_t id, double value)
{
    uint64_t bits = 0;
    memcpy(&bits, &value, sizeof bits);
    if (id >= 0 && id < kTableIds) {
        if (static_cast<size_t>(id) >= m_params.size())
            m_params.resize(static_cast<size_t>(id) + 1, 0);
        m_params[static_cast<size_t>(id)] = bits;
    } else {
        m_otherParams[id] = bits;
    }
    ++m_setParamCalls;
}

uint64_t CStandInGeoObject::GetParamBits(int32_t id) const
{
    if (id >= 0 && id < kTableIds)
        return static_cast<size_t>(id) < m_params.size() ? m_params[static_cast<size_t>(id)] : 0;
    const auto found = m_otherParams.find(id);
    return found == m_otherParams.end() ? 0 : found->second;
}

GeoMeshBuffers* CStandInGeoObject::GetMeshBuffers()
{
    return m_noMeshBuffers ? nullptr : &m_buffers;
}

void CStandInGeoObject::ReserveVertices(int32_t floatCount)
{
    if (!m_reservesIgnored && floatCount > 0 && static_cast<size_t>(floatCount) > m_vertices.size())
        m_vertices.resize(static_cast<size_t>(floatCount));
    PointBuffersAtStorage();
}

void CStandInGeoObject::ReserveIndices(int32_t entryCount)
{
    if (!m_reservesIgnored && entryCount > 0 && static_cast<size_t>(entryCount) > m_indices.size())
        m_indices.resize(static_cast<size_t>(entryCount));
    PointBuffersAtStorage();
}

int32_t CStandInGeoObject::VertexCount() const
{
    int32_t total = 0;
    for (const StandInPart& part : m_parts)
        total += part.count > 0 ? part.count : 0;
    return total;
}

void CStandInGeoObject::PointBuffersAtStorage()
{
    m_buffers.vertices = m_vertices.empty() ? nullptr : m_vertices.data();
    m_buffers.vertexRoom = static_cast<uint32_t>(m_vertices.size());
    m_buffers.indices = m_indices.empty() ? nullptr : m_indices.data();
    m_buffers.indexRoom = static_cast<uint32_t>(m_indices.size());
}
