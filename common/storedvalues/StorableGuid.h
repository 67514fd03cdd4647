#pragma once
// GUIDs as stored values: bit for bit in two doubles (bytes 0-7 and 8-15),
// or as registry text.

#include <windows.h>

#include <string>

// Whether the 8 bytes form a signalling NaN, which the x87 unit would alter.
bool IsSignallingNaN(const void* eightBytes);

// A new GUID neither of whose halves is a signalling NaN: a host that hands
// doubles back through the x87 unit would change such a half. `create` is
// CoCreateGuid's form.
HRESULT CreateStorableGuid(GUID& guid, HRESULT (WINAPI* create)(GUID*) = CoCreateGuid);

// The braced upper-case registry form, 38 characters.
std::wstring GuidString(const GUID& guid);
