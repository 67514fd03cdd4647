#include "motion/plugin/host/HostApplication.h"

#include "motion/plugin/host/HostCanvas.h"

namespace drovel {

void CHostApplication::Attach(IDispatch* dispatch)
{
    AttachApplication(dispatch);
    ResolveNames(dispatch, HostApplicationNames::list, m_ids);
}

std::unique_ptr<CHostCanvas> CHostApplication::GetActiveCanvas()
{
    return CallObject<CHostCanvas>(Id(Names::ActiveCanvas), DISPATCH_PROPERTYGET);
}

} // namespace drovel
