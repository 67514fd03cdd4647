#pragma once
// A keyframe list and one keyframe of it.

#include <memory>

#include "hostclient/HostWrapper.h"

class CHostKeyFrames : public CHostOwnCells<HostKeyFramesNames> {
public:
    HOST_MEMBERS(KeyFrames)
    // `extra` goes as a VARIANT of VT_I4.
    void Add(long frame, long attribute, double value, long extra);
    // The value as the caller made it, e.g. a VT_R8 whose bits must reach
    // the host as they are (a GUID half), never passing through a double.
    void Add(long frame, long attribute, const VARIANT& value, long extra);
};

HOST_WRAPPER_CLASS(KeyFrame)
