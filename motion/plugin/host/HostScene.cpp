#include "motion/plugin/host/HostScene.h"

#include "motion/plugin/host/HostNode.h"

namespace drovel {

long CHostScene::GetNodeCount()
{
    return CallLong(Id(Names::NodeCount), DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostNode> CHostScene::Node(long index)
{
    return CallObject<CHostNode>(Id(Names::Node), DISPATCH_METHOD, index);
}

} // namespace drovel
