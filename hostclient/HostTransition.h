#pragma once
// A scene transition. Also attached directly to the elements of
// CHostScene::Transitions: the caller AddRefs the element first and the
// wrapper owns that reference.

#include "hostclient/HostWrapper.h"

HOST_WRAPPER_CLASS(Transition)
