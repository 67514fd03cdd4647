#include "hostclient/HostTransition.h"

const wchar_t* const CHostTransition::s_names[NameCount] = {L"Name", L"Activate"};

void CHostTransition::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

std::wstring CHostTransition::GetName()
{
    return CallString(m_ids[Name_], DISPATCH_PROPERTYGET);
}

void CHostTransition::Activate()
{
    CallVoid(m_ids[Activate_], DISPATCH_METHOD);
}
