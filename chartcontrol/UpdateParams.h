#pragma once
// The text argument of UpdateChart: "key=value" pairs joined by "&", as a
// map with lower-case keys.

#include <map>
#include <string>

using UpdateParams = std::map<std::wstring, std::wstring>;

// Adds every pair of `text` whose key the map does not hold yet: the first
// occurrence of a key wins, also over pairs already in the map. A pair
// without "=" is skipped; the value is everything after the first "=", taken
// as it stands. A null text adds nothing.
void ParseUpdateParams(const wchar_t* text, UpdateParams& params);

// A-Z to a-z, nothing else: the keys' own rule, also for keys made of node names.
std::wstring LowerAscii(std::wstring text);

// The value of `key`, or null.
const std::wstring* FindParam(const UpdateParams& params, const std::wstring& key);
