#include "motion/plugin/host/HostProperties.h"

#include "motion/plugin/host/HostElement.h"

namespace drovel {

const wchar_t* const CHostProperties::s_names[NameCount] = {L"Count", L"ByIndex", L"ByName", L"OwnerElement"};

void CHostProperties::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

std::unique_ptr<CHostProperty> CHostProperties::ByName(const std::wstring& name)
{
    return CallObject<CHostProperty>(m_ids[ByName_], DISPATCH_METHOD, name);
}

std::unique_ptr<CHostElement> CHostProperties::GetOwnerElement()
{
    return CallObject<CHostElement>(m_ids[OwnerElement], DISPATCH_PROPERTYGET);
}

std::wstring CHostProperties::GetPropertyString(const std::wstring& name)
{
    std::unique_ptr<CHostProperty> property = ByName(name);
    return property ? property->GetValue() : std::wstring();
}

void CHostProperties::SetPropertyString(const std::wstring& name, const std::wstring& value)
{
    if (std::unique_ptr<CHostProperty> property = ByName(name))
        property->SetValue(value);
}

const wchar_t* const CHostProperty::s_names[NameCount] = {L"Default", L"Type", L"Options", L"Name", L"Value"};

void CHostProperty::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

std::wstring CHostProperty::GetValue()
{
    return CallString(m_ids[Value], DISPATCH_PROPERTYGET);
}

void CHostProperty::SetValue(const std::wstring& value)
{
    CallVoid(m_ids[Value], DISPATCH_PROPERTYPUT, value);
}

} // namespace drovel
