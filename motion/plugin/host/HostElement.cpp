#include "motion/plugin/host/HostElement.h"

namespace drovel {

void CHostElement::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, ElementNames::list, m_ids);
}

std::wstring CHostElement::GetFilename()
{
    return CallString(m_ids[ElementNames::Filename], DISPATCH_PROPERTYGET);
}

void CHostElement::SetFilename(const std::wstring& path)
{
    CallVoid(m_ids[ElementNames::Filename], DISPATCH_PROPERTYPUT, path);
}

} // namespace drovel
