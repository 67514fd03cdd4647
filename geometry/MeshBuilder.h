#pragma once
// The bar's mesh from its parameters: the outline flattened and extruded
// into walls ("Bar") and two lids ("Top", "Bottom"), at the height the
// data-bar store and the limit and link parameters give.

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/BarOutlineCache.h"
#include "geometry/GeoHostInterface.h"

// With the module's outlines, kept per object between builds.
void RebuildMesh(IGeoObject* object, const std::wstring& guid);
// With the outlines of `outlines`; a cache with no room builds each anew.
void RebuildMesh(IGeoObject* object, const std::wstring& guid, CBarOutlineCache& outlines);

// Writes the three parts; `vertexIndex` runs on from its value.
void WriteBarVertices(IGeoObject* object, int32_t& vertexIndex, int32_t* indices, float* vertices,
                      const BarOutline& bar, const std::wstring& guid);

// One vertex record as the host reads it: u, v, nx, ny, nz, x, y, z.
constexpr int32_t kFloatsPerVertex = 8;
