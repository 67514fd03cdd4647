#pragma once
// An image of an element or of the application.

#include "hostclient/HostWrapper.h"

// SetUsePBuffer does nothing when the host's image lacks the member.
HOST_WRAPPER_CLASS(Image)
