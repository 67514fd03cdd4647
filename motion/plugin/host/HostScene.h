#pragma once
// The motion plug-in's scene wrapper (cells of its own, see HostApplication.h).

#include <memory>

#include "hostclient/HostWrapper.h"

namespace drovel {

class CHostNode;

// NodeCount to Transitions.
class CHostScene : public CHostOwnCells<HostSceneNames, HostSceneNames::TransitionByName> {
public:
    long GetNodeCount();
    std::unique_ptr<CHostNode> Node(long index);
};

} // namespace drovel
