#pragma once
// A scene node (object, group, movie ...): its children, elements, custom
// properties, keyframes and transforms.

#include <memory>
#include <string>

#include "hostclient/HostWrapper.h"

class CHostNode : public CHostSharedCells<HostNodeNames> {
public:
    // GetType: the host's node type code.
    HOST_MEMBERS(Node)
};
