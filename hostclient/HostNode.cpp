#include "hostclient/HostNode.h"

#include "hostclient/HostElement.h"
#include "hostclient/HostKeyFrames.h"
#include "hostclient/HostPropertyGroup.h"
#include "hostclient/HostTransform.h"

const wchar_t* const CHostNode::s_names[NameCount] = {
    L"Visible", L"Properties", L"Element", L"ElementCount", L"Type", L"Name", L"Rect", L"InTime", L"OutTime",
    L"KeyFrames", L"AnimationState", L"Delete", L"Select", L"FullScreen", L"AnimateElements", L"AddRow",
    L"FontName", L"Id", L"ChildCount", L"GetChild", L"KeyFrame", L"GetGroup", L"GetTransform", L"Update"};
DISPID CHostNode::s_ids[NameCount];
bool CHostNode::s_resolved = false;

void CHostNode::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNamesOnce(dispatch, s_names, s_ids, s_resolved);
}

std::wstring CHostNode::GetName()
{
    return CallString(s_ids[Name_], DISPATCH_PROPERTYGET);
}

void CHostNode::SetName(const std::wstring& name)
{
    CallVoid(s_ids[Name_], DISPATCH_PROPERTYPUT, name);
}

long CHostNode::GetType()
{
    return CallLong(s_ids[Type], DISPATCH_PROPERTYGET);
}

long CHostNode::GetChildCount()
{
    return CallLong(s_ids[ChildCount], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostNode> CHostNode::GetChild(long index)
{
    return CallObject<CHostNode>(s_ids[GetChild_], DISPATCH_METHOD, index);
}

long CHostNode::GetElementCount()
{
    return CallLong(s_ids[ElementCount], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostElement> CHostNode::Element(long index)
{
    return CallObject<CHostElement>(s_ids[Element_], DISPATCH_METHOD, index);
}

std::unique_ptr<CHostPropertyGroup> CHostNode::Properties(const std::wstring& groupName)
{
    return CallObject<CHostPropertyGroup>(s_ids[Properties_], DISPATCH_METHOD, groupName);
}

std::unique_ptr<CHostKeyFrames> CHostNode::GetKeyFrames()
{
    return CallObject<CHostKeyFrames>(s_ids[KeyFrames], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostTransform> CHostNode::GetTransform(const std::wstring& transformName)
{
    return CallObject<CHostTransform>(s_ids[GetTransform_], DISPATCH_METHOD, transformName);
}

std::unique_ptr<CHostGroup> CHostNode::GetGroup()
{
    return CallObject<CHostGroup>(s_ids[GetGroup_], DISPATCH_METHOD);
}

void CHostNode::SetVisible(bool visible)
{
    CallVoid(s_ids[Visible], DISPATCH_PROPERTYPUT, visible);
}
