#include "hostclient/HostPropertyGroup.h"

const wchar_t* const CHostPropertyGroup::s_names[NameCount] = {L"Value"};

void CHostPropertyGroup::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

void CHostPropertyGroup::SetValue(const std::wstring& name, const VARIANT& value)
{
    CallVoid(m_ids[Value], DISPATCH_PROPERTYPUT, name, value);
}

void CHostPropertyGroup::SetValueString(const std::wstring& name, const std::wstring& text)
{
    CallVoid(m_ids[Value], DISPATCH_PROPERTYPUT, name, text);
}

void CHostPropertyGroup::GetValue(const std::wstring& name, ScopedVariant& value)
{
    CallVariant(value, m_ids[Value], DISPATCH_PROPERTYGET, name);
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
