#include "hostclient/HostNode.h"

#include "hostclient/HostElement.h"
#include "hostclient/HostKeyFrames.h"
#include "hostclient/HostPropertyGroup.h"
#include "hostclient/HostTransform.h"

DISPID CHostNode::s_ids[NodeNames::Count];
bool CHostNode::s_resolved = false;

void CHostNode::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNamesOnce(dispatch, NodeNames::list, s_ids, s_resolved);
}

std::wstring CHostNode::GetName()
{
    return CallString(s_ids[NodeNames::Name], DISPATCH_PROPERTYGET);
}

void CHostNode::SetName(const std::wstring& name)
{
    CallVoid(s_ids[NodeNames::Name], DISPATCH_PROPERTYPUT, name);
}

long CHostNode::GetType()
{
    return CallLong(s_ids[NodeNames::Type], DISPATCH_PROPERTYGET);
}

long CHostNode::GetChildCount()
{
    return CallLong(s_ids[NodeNames::ChildCount], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostNode> CHostNode::GetChild(long index)
{
    return CallObject<CHostNode>(s_ids[NodeNames::GetChild], DISPATCH_METHOD, index);
}

long CHostNode::GetElementCount()
{
    return CallLong(s_ids[NodeNames::ElementCount], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostElement> CHostNode::Element(long index)
{
    return CallObject<CHostElement>(s_ids[NodeNames::Element], DISPATCH_METHOD, index);
}

std::unique_ptr<CHostPropertyGroup> CHostNode::Properties(const std::wstring& groupName)
{
    return CallObject<CHostPropertyGroup>(s_ids[NodeNames::Properties], DISPATCH_METHOD, groupName);
}

std::unique_ptr<CHostKeyFrames> CHostNode::GetKeyFrames()
{
    return CallObject<CHostKeyFrames>(s_ids[NodeNames::KeyFrames], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostTransform> CHostNode::GetTransform(const std::wstring& transformName)
{
    return CallObject<CHostTransform>(s_ids[NodeNames::GetTransform], DISPATCH_METHOD, transformName);
}

std::unique_ptr<CHostGroup> CHostNode::GetGroup()
{
    return CallObject<CHostGroup>(s_ids[NodeNames::GetGroup], DISPATCH_METHOD);
}

void CHostNode::SetVisible(bool visible)
{
    CallVoid(s_ids[NodeNames::Visible], DISPATCH_PROPERTYPUT, visible);
}
