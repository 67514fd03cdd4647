#pragma once
// The bar's mesh from its parameters: the outline flattened and extruded
// into walls ("Bar") and two lids ("Top", "Bottom"), at the height the
// data-bar store and the limit and link parameters give.

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/GeoHostInterface.h"
#include "geometry/OutlineFlattening.h"
#include "geometry/PolyTri.h"

void RebuildMesh(IGeoObject* object, const std::wstring& guid);

// Writes the three parts; `vertexIndex` runs on from its value.
void WriteBarVertices(IGeoObject* object, int32_t& vertexIndex, int32_t* indices, float* vertices,
                      const std::vector<OutlinePoint>& outline, const CTriDC& lids, int32_t outlineCount,
                      const std::wstring& guid);

void AddVertex(IGeoObject* object, int32_t* indices, float* vertices, int32_t& vertexIndex, double u, double v,
               double nx, double ny, double nz, double x, double y, double z);
