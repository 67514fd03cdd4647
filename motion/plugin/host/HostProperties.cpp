#include "motion/plugin/host/HostProperties.h"

#include "motion/plugin/host/HostElement.h"

namespace drovel {

std::unique_ptr<CHostElement> CHostProperties::GetOwnerElement()
{
    return CallObject<CHostElement>(Id(Names::OwnerElement), DISPATCH_PROPERTYGET);
}

} // namespace drovel
