#include "motion/plugin/host/HostNode.h"

#include "motion/plugin/host/HostElement.h"

namespace drovel {

long CHostNode::GetType()
{
    return CallLong(Id(Names::Type), DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostPropertyGroup> CHostNode::Properties(const std::wstring& groupName)
{
    return CallObject<CHostPropertyGroup>(Id(Names::Properties), DISPATCH_METHOD, groupName);
}

std::unique_ptr<CHostElement> CHostNode::Element(long index)
{
    return CallObject<CHostElement>(Id(Names::Element), DISPATCH_METHOD, index);
}

} // namespace drovel
