#pragma once
// A frame buffer: an output channel that holds scenes.

#include <memory>
#include <string>

#include "hostclient/HostWrapper.h"

class CHostFrameBuffer : public CHostOwnCells<HostFrameBufferNames> {
public:
    // SceneWithFocus: null without a host call when the member is absent.
    HOST_MEMBERS(FrameBuffer)
    // An array of the frame buffer's scenes; the caller attaches each element
    // as a CHostScene after an AddRef of its own. Empty without a host call
    // when the member is absent.
    void Scenes(ScopedVariant& scenes);
    bool SelectScene(const CHostScene& scene);
};
