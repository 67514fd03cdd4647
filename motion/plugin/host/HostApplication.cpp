#include "motion/plugin/host/HostApplication.h"

#include "motion/plugin/host/HostCanvas.h"

namespace drovel {

void CHostApplication::Attach(IDispatch* dispatch)
{
    AttachApplication(dispatch);
    ResolveNames(dispatch, ApplicationNames::list, m_ids);
}

std::unique_ptr<CHostCanvas> CHostApplication::GetActiveCanvas()
{
    return CallObject<CHostCanvas>(m_ids[ApplicationNames::ActiveCanvas], DISPATCH_PROPERTYGET);
}

} // namespace drovel
