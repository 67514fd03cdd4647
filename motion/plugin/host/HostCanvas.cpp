#include "motion/plugin/host/HostCanvas.h"

#include "motion/plugin/host/HostScene.h"

namespace drovel {

std::unique_ptr<CHostScene> CHostCanvas::GetScene()
{
    return CallObject<CHostScene>(Id(Names::Scene), DISPATCH_PROPERTYGET);
}

} // namespace drovel
