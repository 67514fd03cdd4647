#pragma once
// The canvas selection and its edit commands.

#include "hostclient/HostWrapper.h"

HOST_WRAPPER_CLASS(Selection)
