#pragma once
// A bar object's own GUID, kept bit for bit in two double parameters.

#include <cstdint>

#include "common/storedvalues/StorableGuid.h"
#include "geometry/GeoHostInterface.h"

constexpr int32_t kGuidFirstHalfId = 113;
constexpr int32_t kGuidSecondHalfId = 114;

void WriteGuidParams(IGeoObject& object, const GUID& guid);
GUID ReadGuidParams(IGeoObject& object);
