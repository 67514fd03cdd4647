#include "motion/plugin/host/HostCanvas.h"

#include "motion/plugin/host/HostScene.h"

namespace drovel {

void CHostCanvas::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, CanvasNames::list, m_ids);
}

std::unique_ptr<CHostScene> CHostCanvas::GetScene()
{
    return CallObject<CHostScene>(m_ids[CanvasNames::Scene], DISPATCH_PROPERTYGET);
}

} // namespace drovel
