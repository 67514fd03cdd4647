#include "hostclient/HostScene.h"

#include "hostclient/HostWrappers.h"

#define HOST_CLASS CHostScene
HOST_DEFINE_MEMBERS(Scene)
#undef HOST_CLASS

std::unique_ptr<CHostNode> CHostScene::GetActiveObject()
{
    try {
        return CallObject<CHostNode>(Id(Names::ActiveObject), DISPATCH_PROPERTYGET);
    } catch (const CHostException&) {
        return nullptr;
    }
}

void CHostScene::Transitions(ScopedVariant& transitions)
{
    transitions.Clear();
    if (Id(Names::Transitions) == DISPID_UNKNOWN)
        return;
    CallVariant(transitions, Id(Names::Transitions), DISPATCH_METHOD);
}

void CHostScene::Select(const std::wstring& nodeName, bool first, bool second, bool third)
{
    ScopedVariant flags;
    flags->vt = VT_I4;
    flags->lVal = (first ? 1 : 0) | (second ? 2 : 0) | (third ? 4 : 0);
    CallVoid(Id(Names::Select), DISPATCH_METHOD, nodeName, *flags.Get());
}

void CHostScene::Play(bool first, bool second)
{
    CallVoid(Id(Names::Play), DISPATCH_METHOD, static_cast<short>(first ? 1 : 0), static_cast<short>(second ? 1 : 0));
}
