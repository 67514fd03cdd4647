#include "motion/plugin/host/HostScene.h"

#include "motion/plugin/host/HostNode.h"

namespace drovel {

void CHostScene::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, SceneNames::list, m_ids);
}

long CHostScene::GetNodeCount()
{
    return CallLong(m_ids[SceneNames::NodeCount], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostNode> CHostScene::Node(long index)
{
    return CallObject<CHostNode>(m_ids[SceneNames::Node], DISPATCH_METHOD, index);
}

} // namespace drovel
