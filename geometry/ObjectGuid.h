#pragma once
// A bar object's own GUID, kept bit for bit in two double parameters: bytes
// 0-7 in one, bytes 8-15 in the other.

#include <windows.h>

#include <cstdint>
#include <string>

#include "geometry/GeoHostInterface.h"

constexpr int32_t kGuidFirstHalfId = 113;
constexpr int32_t kGuidSecondHalfId = 114;

// Whether the 8 bytes form a signalling NaN, which the x87 unit would alter.
bool IsSignallingNaN(const void* eightBytes);

// A new GUID neither of whose halves is a signalling NaN: the host returns
// parameters as doubles through the x87 unit, which would change such a
// half. `create` is CoCreateGuid's form.
HRESULT CreateStorableGuid(GUID& guid, HRESULT (WINAPI* create)(GUID*) = CoCreateGuid);

void WriteGuidParams(IGeoObject& object, const GUID& guid);
GUID ReadGuidParams(IGeoObject& object);

// The braced upper-case registry form, 38 characters.
std::wstring GuidString(const GUID& guid);
