#include "motion/plugin/host/HostNode.h"

#include "motion/plugin/host/HostElement.h"

namespace drovel {

void CHostNode::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, NodeNames::list, m_ids);
}

long CHostNode::GetType()
{
    return CallLong(m_ids[NodeNames::Type], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostPropertyGroup> CHostNode::Properties(const std::wstring& groupName)
{
    return CallObject<CHostPropertyGroup>(m_ids[NodeNames::Properties], DISPATCH_METHOD, groupName);
}

std::unique_ptr<CHostElement> CHostNode::Element(long index)
{
    return CallObject<CHostElement>(m_ids[NodeNames::Element], DISPATCH_METHOD, index);
}

} // namespace drovel
