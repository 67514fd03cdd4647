#pragma once
// The motion plug-in's scene wrapper (cells of its own, see HostApplication.h).

#include <memory>

#include "hostclient/HostMemberNames.h"
#include "hostclient/HostObject.h"

namespace drovel {

class CHostNode;

class CHostScene : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    long GetNodeCount();
    std::unique_ptr<CHostNode> Node(long index);

private:
    DISPID m_ids[SceneNames::TransitionByName] = {};  // NodeCount to Transitions
};

} // namespace drovel
