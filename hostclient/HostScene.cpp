#include "hostclient/HostScene.h"

#include "hostclient/HostElement.h"
#include "hostclient/HostFrameBuffer.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostTransition.h"

const wchar_t* const CHostScene::s_names[NameCount] = {
    L"NodeCount", L"Node", L"Resolution", L"NativeResolution", L"Properties", L"Background", L"SafeTitle",
    L"BackgroundVisible", L"TwoDFrames", L"EnableGuides", L"RestoreCanvas", L"ActiveObject",
    L"EditStaticObject", L"DeleteStaticObject", L"StaticObjectCount", L"AddStaticObject", L"StaticObject",
    L"CurrentFrame", L"Play", L"InsertObject", L"ImportFile", L"Select", L"StreamToNodes", L"NodesToStream",
    L"Erase", L"AnimationLength", L"Group", L"Refresh", L"UnGroup", L"SelectedTemplate", L"ProxyBasedPrimitive",
    L"SwapPriority", L"Element", L"Transitions", L"TransitionByName", L"GetTemplate", L"ExportNodes",
    L"SuppressUpdates", L"FrameBuffer"};
DISPID CHostScene::s_ids[NameCount];
bool CHostScene::s_resolved = false;

void CHostScene::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNamesOnce(dispatch, s_names, s_ids, s_resolved);
}

long CHostScene::GetNodeCount()
{
    return CallLong(s_ids[NodeCount], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostNode> CHostScene::Node(long index)
{
    return CallObject<CHostNode>(s_ids[Node_], DISPATCH_METHOD, index);
}

std::unique_ptr<CHostNode> CHostScene::GetElement(const std::wstring& nodeName)
{
    return CallObject<CHostNode>(s_ids[Element], DISPATCH_PROPERTYGET, nodeName);
}

std::unique_ptr<CHostNode> CHostScene::GetActiveObject()
{
    try {
        return CallObject<CHostNode>(s_ids[ActiveObject], DISPATCH_PROPERTYGET);
    } catch (const CHostException&) {
        return nullptr;
    }
}

std::unique_ptr<CHostElement> CHostScene::GetTemplate(const std::wstring& name)
{
    return CallObject<CHostElement>(s_ids[GetTemplate_], DISPATCH_METHOD, name);
}

void CHostScene::Transitions(ScopedVariant& transitions)
{
    transitions.Clear();
    if (s_ids[Transitions_] == DISPID_UNKNOWN)
        return;
    CallVariant(transitions, s_ids[Transitions_], DISPATCH_METHOD);
}

std::unique_ptr<CHostTransition> CHostScene::TransitionByName(const std::wstring& name)
{
    return CallObject<CHostTransition>(s_ids[TransitionByName_], DISPATCH_METHOD, name);
}

void CHostScene::Select(const std::wstring& nodeName, bool first, bool second, bool third)
{
    ScopedVariant flags;
    flags->vt = VT_I4;
    flags->lVal = (first ? 1 : 0) | (second ? 2 : 0) | (third ? 4 : 0);
    CallVoid(s_ids[Select_], DISPATCH_METHOD, nodeName, *flags.Get());
}

void CHostScene::Play(bool first, bool second)
{
    CallVoid(s_ids[Play_], DISPATCH_METHOD, static_cast<short>(first ? 1 : 0), static_cast<short>(second ? 1 : 0));
}

long CHostScene::GetAnimationLength()
{
    return CallLong(s_ids[AnimationLength], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostElement> CHostScene::GetBackground()
{
    return CallObject<CHostElement>(s_ids[Background], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostFrameBuffer> CHostScene::GetFrameBuffer()
{
    return CallObject<CHostFrameBuffer>(s_ids[FrameBuffer], DISPATCH_PROPERTYGET);
}
