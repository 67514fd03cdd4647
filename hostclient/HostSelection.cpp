#include "hostclient/HostSelection.h"

const wchar_t* const CHostSelection::s_names[NameCount] = {L"Execute"};

void CHostSelection::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

void CHostSelection::Execute(const std::wstring& command)
{
    CallVoid(m_ids[Execute_], DISPATCH_METHOD, command);
}
