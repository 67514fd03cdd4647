#pragma once
// A scene: its nodes, templates, transitions and playback.

#include <memory>
#include <string>

#include "hostclient/HostMemberNames.h"
#include "hostclient/HostObject.h"

class CHostElement;
class CHostFrameBuffer;
class CHostNode;
class CHostTransition;

class CHostScene : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    long GetNodeCount();
    std::unique_ptr<CHostNode> Node(long index);
    // The host raises an error when no node has the name.
    std::unique_ptr<CHostNode> GetElement(const std::wstring& nodeName);
    // Null when the host call fails or gives no object; never raises.
    std::unique_ptr<CHostNode> GetActiveObject();
    std::unique_ptr<CHostElement> GetTemplate(const std::wstring& name);
    // An array of the scene's transitions; the caller attaches each element
    // as a CHostTransition after an AddRef of its own. Empty without a host
    // call when the member is absent.
    void Transitions(ScopedVariant& transitions);
    std::unique_ptr<CHostTransition> TransitionByName(const std::wstring& name);
    void Select(const std::wstring& nodeName, bool first, bool second, bool third);
    void Play(bool first, bool second);
    long GetAnimationLength();
    std::unique_ptr<CHostElement> GetBackground();
    std::unique_ptr<CHostFrameBuffer> GetFrameBuffer();

private:
    static DISPID s_ids[SceneNames::Count];
    static bool s_resolved;
};
