#include "motion/plugin/host/HostElement.h"

namespace drovel {

std::wstring CHostElement::GetFilename()
{
    return CallString(Id(Names::Filename), DISPATCH_PROPERTYGET);
}

void CHostElement::SetFilename(const std::wstring& path)
{
    CallVoid(Id(Names::Filename), DISPATCH_PROPERTYPUT, path);
}

} // namespace drovel
