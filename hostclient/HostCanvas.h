#pragma once
// A canvas: the view that shows the current scene.

#include <memory>
#include <string>

#include "hostclient/HostWrapper.h"

class CHostCanvas : public CHostSharedCells<HostCanvasNames> {
public:
    HOST_MEMBERS(Canvas)
};
