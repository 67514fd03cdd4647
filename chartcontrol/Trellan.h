#pragma once
// The outside line-chart library that draws the line charts (Trellan.dll,
// linked by the chart control and lying beside it). Every call names the
// chart by its GUID text; the results are not used.

#include <cstdint>

class CXmlNode;

#ifdef TRELLAN_BUILDING
#define TRELLAN_API
#else
#define TRELLAN_API __declspec(dllimport)
#endif

extern "C" {
// The reply's `Response` node: the library reads its data points during the call.
TRELLAN_API int32_t SetPoints(const wchar_t* guid, const CXmlNode* response);
TRELLAN_API int32_t LabelCount(const wchar_t* guid, int32_t dateLabels, int32_t valueLabels);
// `axis` 0 for dates, 1 for values; `index` counts from 0.
TRELLAN_API int32_t RegisterLabel(const wchar_t* guid, int32_t axis, const wchar_t* labelName, int32_t index);
TRELLAN_API int32_t EnableLocateLabels(const wchar_t* guid, int32_t enable);
TRELLAN_API int32_t SetTrellanRedraw(const wchar_t* guid, int32_t redraw);
}
