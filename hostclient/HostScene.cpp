#include "hostclient/HostScene.h"

#include "hostclient/HostElement.h"
#include "hostclient/HostFrameBuffer.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostTransition.h"

DISPID CHostScene::s_ids[SceneNames::Count];
bool CHostScene::s_resolved = false;

void CHostScene::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNamesOnce(dispatch, SceneNames::list, s_ids, s_resolved);
}

long CHostScene::GetNodeCount()
{
    return CallLong(s_ids[SceneNames::NodeCount], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostNode> CHostScene::Node(long index)
{
    return CallObject<CHostNode>(s_ids[SceneNames::Node], DISPATCH_METHOD, index);
}

std::unique_ptr<CHostNode> CHostScene::GetElement(const std::wstring& nodeName)
{
    return CallObject<CHostNode>(s_ids[SceneNames::Element], DISPATCH_PROPERTYGET, nodeName);
}

std::unique_ptr<CHostNode> CHostScene::GetActiveObject()
{
    try {
        return CallObject<CHostNode>(s_ids[SceneNames::ActiveObject], DISPATCH_PROPERTYGET);
    } catch (const CHostException&) {
        return nullptr;
    }
}

std::unique_ptr<CHostElement> CHostScene::GetTemplate(const std::wstring& name)
{
    return CallObject<CHostElement>(s_ids[SceneNames::GetTemplate], DISPATCH_METHOD, name);
}

void CHostScene::Transitions(ScopedVariant& transitions)
{
    transitions.Clear();
    if (s_ids[SceneNames::Transitions] == DISPID_UNKNOWN)
        return;
    CallVariant(transitions, s_ids[SceneNames::Transitions], DISPATCH_METHOD);
}

std::unique_ptr<CHostTransition> CHostScene::TransitionByName(const std::wstring& name)
{
    return CallObject<CHostTransition>(s_ids[SceneNames::TransitionByName], DISPATCH_METHOD, name);
}

void CHostScene::Select(const std::wstring& nodeName, bool first, bool second, bool third)
{
    ScopedVariant flags;
    flags->vt = VT_I4;
    flags->lVal = (first ? 1 : 0) | (second ? 2 : 0) | (third ? 4 : 0);
    CallVoid(s_ids[SceneNames::Select], DISPATCH_METHOD, nodeName, *flags.Get());
}

void CHostScene::Play(bool first, bool second)
{
    CallVoid(s_ids[SceneNames::Play], DISPATCH_METHOD, static_cast<short>(first ? 1 : 0),
             static_cast<short>(second ? 1 : 0));
}

long CHostScene::GetAnimationLength()
{
    return CallLong(s_ids[SceneNames::AnimationLength], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostElement> CHostScene::GetBackground()
{
    return CallObject<CHostElement>(s_ids[SceneNames::Background], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostFrameBuffer> CHostScene::GetFrameBuffer()
{
    return CallObject<CHostFrameBuffer>(s_ids[SceneNames::FrameBuffer], DISPATCH_PROPERTYGET);
}
