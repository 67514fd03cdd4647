#pragma once
// A scene: its nodes, templates, transitions and playback.

#include <memory>
#include <string>

#include "hostclient/HostWrapper.h"

class CHostScene : public CHostSharedCells<HostSceneNames> {
public:
    // GetElement: the host raises an error when no node has the name.
    HOST_MEMBERS(Scene)
    // Null when the host call fails or gives no object; never raises.
    std::unique_ptr<CHostNode> GetActiveObject();
    // An array of the scene's transitions; the caller attaches each element
    // as a CHostTransition after an AddRef of its own. Empty without a host
    // call when the member is absent.
    void Transitions(ScopedVariant& transitions);
    void Select(const std::wstring& nodeName, bool first, bool second, bool third);
    void Play(bool first, bool second);
};
