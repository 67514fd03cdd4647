#include "hostclient/HostProperties.h"

#include "hostclient/HostElement.h"

#define HOST_CLASS CHostProperties
HOST_DEFINE_MEMBERS(Properties)
#undef HOST_CLASS
#define HOST_CLASS CHostProperty
HOST_DEFINE_MEMBERS(Property)
#undef HOST_CLASS

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
