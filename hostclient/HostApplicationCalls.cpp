#include "hostclient/HostApplicationCalls.h"

#include "hostclient/HostStringArray.h"

void CHostApplicationCalls::AttachApplication(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    if (dispatch)
        dispatch->AddRef();
}

#define HOST_CLASS CHostApplicationCalls
HOST_DEFINE_MEMBERS(ApplicationCalls)
#undef HOST_CLASS

long CHostApplicationCalls::RegisterObjectProperty(const std::wstring& group, const std::wstring& name, long type,
                                                   const std::wstring& defaultValue,
                                                   const std::vector<std::wstring>& objectTypes,
                                                   const std::wstring& last)
{
    ScopedVariant types;
    MakeStringArray(objectTypes, types);
    return CallLong(Id(HostApplicationNames::RegisterObjectProperty), DISPATCH_METHOD, group, name, type, defaultValue,
                    *types.Get(), last);
}

long CHostApplicationCalls::RegisterObjectPropertyEditor(const std::wstring& group, const std::wstring& editor,
                                                         const std::vector<std::wstring>& objectTypes)
{
    ScopedVariant types;
    MakeStringArray(objectTypes, types);
    return CallLong(Id(HostApplicationNames::RegisterObjectPropertyEditor), DISPATCH_METHOD, group, editor,
                    *types.Get());
}

long CHostApplicationCalls::GetRegistryInt(const std::wstring& section, const std::wstring& key, long defaultValue)
{
    ScopedVariant fallback;
    fallback->vt = VT_I4;
    fallback->lVal = defaultValue;
    ScopedVariant answer;
    CallVariant(answer, Id(HostApplicationNames::GetRegistry), DISPATCH_METHOD, section, key, *fallback.Get());
    return answer->vt == VT_I4 ? answer->lVal : defaultValue;
}

void CHostApplicationCalls::SetRegistryInt(const std::wstring& section, const std::wstring& key, long value)
{
    ScopedVariant stored;
    stored->vt = VT_I4;
    stored->lVal = value;
    CallVoid(Id(HostApplicationNames::SetRegistry), DISPATCH_METHOD, section, key, *stored.Get());
}
