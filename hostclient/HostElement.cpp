#include "hostclient/HostElement.h"

#include "hostclient/HostImage.h"
#include "hostclient/HostText.h"

DISPID CHostElement::s_ids[ElementNames::Count];
bool CHostElement::s_resolved = false;

void CHostElement::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNamesOnce(dispatch, ElementNames::list, s_ids, s_resolved);
}

std::wstring CHostElement::GetName()
{
    return CallString(s_ids[ElementNames::Name], DISPATCH_PROPERTYGET);
}

void CHostElement::SetName(const std::wstring& name)
{
    CallVoid(s_ids[ElementNames::Name], DISPATCH_PROPERTYPUT, name);
}

std::unique_ptr<CHostText> CHostElement::GetText()
{
    return CallObject<CHostText>(s_ids[ElementNames::Text], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostImage> CHostElement::GetImage()
{
    return CallObject<CHostImage>(s_ids[ElementNames::Image], DISPATCH_PROPERTYGET);
}

void CHostElement::SetJustificationX(long justification)
{
    if (s_ids[ElementNames::JustificationX] != DISPID_UNKNOWN)
        CallVoid(s_ids[ElementNames::JustificationX], DISPATCH_PROPERTYPUT, justification);
}

void CHostElement::SetJustificationY(long justification)
{
    if (s_ids[ElementNames::JustificationY] != DISPID_UNKNOWN)
        CallVoid(s_ids[ElementNames::JustificationY], DISPATCH_PROPERTYPUT, justification);
}
