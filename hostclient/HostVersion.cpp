#include "hostclient/HostVersion.h"

const wchar_t* const CHostVersion::s_names[NameCount] = {L"MajorVersion", L"MinorVersion", L"Build"};

void CHostVersion::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

long CHostVersion::GetBuild()
{
    return CallLong(m_ids[Build], DISPATCH_PROPERTYGET);
}
