#pragma once
// The host's string lists: a one-dimensional SAFEARRAY of BSTR, lower bound 0.

#include <string>
#include <vector>

#include "base/com/ComTypes.h"

// `out` receives VT_ARRAY | VT_BSTR with one element per string, in order
// (zero elements for an empty list). Throws CHostOutOfMemory when out of memory.
void MakeStringArray(const std::vector<std::wstring>& strings, ScopedVariant& out);
