#pragma once
// An element of a node: a text, image, movie or template.

#include <memory>
#include <string>

#include "hostclient/HostWrapper.h"

class CHostElement : public CHostSharedCells<HostElementNames> {
public:
    // SetJustificationX and SetJustificationY do nothing when the host's
    // element lacks the member. "Image" has two cells: GetImage uses the
    // first, SetImage the second.
    HOST_MEMBERS(Element)
};
