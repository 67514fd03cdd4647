#pragma once
// The motion plug-in's node wrapper (cells of its own, see HostApplication.h).
// A node's property group is the chart control's wrapper itself: that one
// already looks its one name up at every attach.

#include <memory>
#include <string>

#include "hostclient/HostPropertyGroup.h"
#include "hostclient/HostWrapper.h"

namespace drovel {

class CHostElement;
using CHostPropertyGroup = ::CHostPropertyGroup;

// Visible to Id.
class CHostNode : public CHostOwnCells<HostNodeNames, HostNodeNames::ChildCount> {
public:
    // The host's node type code.
    long GetType();
    // Null when the node has no such group.
    std::unique_ptr<CHostPropertyGroup> Properties(const std::wstring& groupName);
    std::unique_ptr<CHostElement> Element(long index);
};

} // namespace drovel
