#pragma once
// The motion plug-in's node wrapper (cells of its own, see HostApplication.h).
// A node's property group is the chart control's wrapper itself: that one
// already looks its one name up at every attach.

#include <memory>
#include <string>

#include "hostclient/HostMemberNames.h"
#include "hostclient/HostObject.h"
#include "hostclient/HostPropertyGroup.h"

namespace drovel {

class CHostElement;
using CHostPropertyGroup = ::CHostPropertyGroup;

class CHostNode : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    // The host's node type code.
    long GetType();
    // Null when the node has no such group.
    std::unique_ptr<CHostPropertyGroup> Properties(const std::wstring& groupName);
    std::unique_ptr<CHostElement> Element(long index);

private:
    DISPID m_ids[NodeNames::ChildCount] = {};  // Visible to Id
};

} // namespace drovel
