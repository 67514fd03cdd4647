#pragma once
// What the stand-in line-chart library records, for tests and the demo: every
// call in order, and the points each chart was last given.

#include <cstdint>
#include <string>
#include <vector>

#ifdef TRELLAN_BUILDING
#define TRELLAN_RECORDING_API
#else
#define TRELLAN_RECORDING_API __declspec(dllimport)
#endif

extern "C" {
TRELLAN_RECORDING_API int32_t TrellanCallCount();
// The call as "Function(argument, ...)"; SetPoints shows its point count as
// "n points". The length of the whole text; -1 past the last call.
TRELLAN_RECORDING_API int32_t TrellanCallText(int32_t index, wchar_t* text, int32_t capacity);
TRELLAN_RECORDING_API int32_t TrellanPointCount(const wchar_t* guid);
// 1 with the point's `totaldays` and value, 0 past the last point.
TRELLAN_RECORDING_API int32_t TrellanPoint(const wchar_t* guid, int32_t index, double* totalDays, double* value);
TRELLAN_RECORDING_API void TrellanReset();
}

struct TrellanPointValue {
    double totalDays;
    double value;
};

inline std::vector<std::wstring> TrellanCalls()
{
    std::vector<std::wstring> calls;
    for (int32_t i = 0; i < TrellanCallCount(); ++i) {
        std::wstring text(static_cast<size_t>(TrellanCallText(i, nullptr, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(TrellanCallText(i, &text[0], static_cast<int32_t>(text.size()))));
        calls.push_back(text);
    }
    return calls;
}

inline std::vector<TrellanPointValue> TrellanPoints(const wchar_t* guid)
{
    std::vector<TrellanPointValue> points;
    TrellanPointValue point{};
    for (int32_t i = 0; TrellanPoint(guid, i, &point.totalDays, &point.value); ++i)
        points.push_back(point);
    return points;
}
