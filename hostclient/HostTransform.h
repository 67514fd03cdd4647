#pragma once
// Parts of a node: its transform for one transition and its group object.

#include "hostclient/HostWrapper.h"

HOST_WRAPPER_CLASS(Transform)
HOST_WRAPPER_CLASS(Group)
