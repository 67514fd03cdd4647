#pragma once
// Pictures whose transparent colour is pure magenta, as image lists.

#include "base/win/UniqueHandle.h"

// A 24-bit image list of cx x cy cells (growing by `grow`, no mask) from this
// module's bitmap resource, its pure magenta pixels replaced by `colour`.
// Empty when the bitmap or the list cannot be made.
UniqueImageList LoadMagentaKeyedImageList(UINT resourceId, int cx, int cy, int grow, COLORREF colour);
