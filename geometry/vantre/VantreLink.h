#pragma once
// Vantre's data-bar export as a module that links Vantre.dll calls it.

#include <cstdint>
#include <type_traits>

#include "geometry/GeoHostInterface.h"

extern "C" __declspec(dllimport) int32_t GEO_EXPORT_CALL SetDataBarValue(const wchar_t* guid, const wchar_t* name,
                                                                        double value, int32_t redraw);

static_assert(std::is_same<decltype(&SetDataBarValue), SetDataBarValueFn>::value, "the export's own signature");
