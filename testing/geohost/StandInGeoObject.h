#pragma once
// A geometry object of our stand-in host: parameters kept as raw bits, mesh
// buffers at a fixed address, and a record of the parts the plug-in wrote.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "geometry/GeoHostInterface.h"

struct StandInPart {
    std::string name;
    int32_t kind = -1;
    int32_t first = -1;
    int32_t count = -1;
};

class CStandInGeoObject final : public IGeoObject {
public:
    CStandInGeoObject();
    CStandInGeoObject(const CStandInGeoObject&) = delete;
    CStandInGeoObject& operator=(const CStandInGeoObject&) = delete;

    void BeginPart(const char* partName) override;
    void EndPart() override;
    void Unused3() override {}
    void Unused4() override {}
    void Unused5() override {}
    void Unused6() override {}
    void BeginPrimitivesAt(int32_t kind, int32_t firstVertex) override;
    void SetPrimitiveCount(int32_t vertexCount) override;
    void Unused9() override {}
    double GetParam(int32_t id) override;
    void SetParam(int32_t id, double value) override;
    GeoMeshBuffers* GetMeshBuffers() override;
    void ReserveVertices(int32_t floatCount) override;
    void ReserveIndices(int32_t entryCount) override;

    // Test switches: no mesh record at all, or reserve calls that do not grow.
    void SetNoMeshBuffers(bool none) { m_noMeshBuffers = none; }
    void SetReservesIgnored(bool ignored) { m_reservesIgnored = ignored; }

    // The raw bits of a parameter as last set (0 when never set).
    uint64_t GetParamBits(int32_t id) const;
    int SetParamCalls() const { return m_setParamCalls; }

    // The parts of the last build, in order; a part opened anew starts over.
    const std::vector<StandInPart>& Parts() const { return m_parts; }
    // Vertices of the last build: the sum of the parts' counts.
    int32_t VertexCount() const;
    // Float f (0 ... 7: u, v, nx, ny, nz, x, y, z) of vertex i.
    float VertexField(int32_t i, int32_t f) const { return m_vertices[static_cast<size_t>(i) * 8 + f]; }
    int32_t Index(int32_t i) const { return m_indices[static_cast<size_t>(i)]; }
    bool RedrawRequested() const { return m_buffers.redraw != 0; }
    const GeoMeshBuffers& Buffers() const { return m_buffers; }

private:
    void PointBuffersAtStorage();

    // As a host keeps them: a table by id, read in a load. Ids outside it
    // (no plug-in uses one) go to the map.
    static constexpr int32_t kTableIds = 4096;
    std::vector<uint64_t> m_params;
    std::map<int32_t, uint64_t> m_otherParams;
    std::vector<float> m_vertices;
    std::vector<int32_t> m_indices;
    GeoMeshBuffers m_buffers{};
    std::vector<StandInPart> m_parts;
    bool m_partOpen = false;
    bool m_noMeshBuffers = false;
    bool m_reservesIgnored = false;
    int m_setParamCalls = 0;
};
