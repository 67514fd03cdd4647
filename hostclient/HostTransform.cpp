#include "hostclient/HostTransform.h"

#include "hostclient/HostKeyFrames.h"

const wchar_t* const CHostTransform::s_names[NameCount] = {L"KeyFrames"};

void CHostTransform::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

std::unique_ptr<CHostKeyFrames> CHostTransform::KeyFrames()
{
    return CallObject<CHostKeyFrames>(m_ids[KeyFrames_], DISPATCH_METHOD);
}

const wchar_t* const CHostGroup::s_names[NameCount] = {L"AddNode"};

void CHostGroup::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

void CHostGroup::AddNode(const std::wstring& nodeName)
{
    CallVoid(m_ids[AddNode_], DISPATCH_METHOD, nodeName);
}
