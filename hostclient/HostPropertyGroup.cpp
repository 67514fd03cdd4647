#include "hostclient/HostPropertyGroup.h"

#define HOST_CLASS CHostPropertyGroup
HOST_DEFINE_MEMBERS(PropertyGroup)
#undef HOST_CLASS

void CHostPropertyGroup::GetValue(const std::wstring& name, ScopedVariant& value)
{
    CallVariant(value, Id(Names::Value), DISPATCH_PROPERTYGET, name);
}

bool CHostPropertyGroup::GetValueString(const std::wstring& name, std::wstring& out)
{
    ScopedVariant value;
    GetValue(name, value);
    if (value->vt != VT_BSTR)
        return false;
    out.assign(value->bstrVal ? value->bstrVal : L"", SysStringLen(value->bstrVal));
    return out != L"???";
}
