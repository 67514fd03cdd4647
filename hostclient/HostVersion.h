#pragma once
// The host's version object.

#include "hostclient/HostWrapper.h"

HOST_WRAPPER_CLASS(Version)
