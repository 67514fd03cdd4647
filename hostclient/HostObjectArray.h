#pragma once
// The host's object lists (a scene's transitions, a frame buffer's scenes)
// as the host gives them.

#include <vector>

#include "base/com/ComTypes.h"
#include "base/com/RefPtr.h"

// The objects of a one-dimensional SAFEARRAY of VT_DISPATCH, or of
// VT_VARIANT holding dispatch objects, from any lower bound; null entries
// and entries of other types are left out. Anything else is an empty list.
std::vector<RefPtr<IDispatch>> HostObjectsOf(const VARIANT& list);
