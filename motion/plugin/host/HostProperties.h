#pragma once
// The custom properties of one object as the host hands them to the motion
// plug-in's property editor, and one property of that collection: the
// chart control's wrappers, but the owner element is the plug-in's own.

#include <memory>

#include "hostclient/HostProperties.h"

namespace drovel {

class CHostElement;
using CHostProperty = ::CHostProperty;

class CHostProperties : public ::CHostProperties {
public:
    // The element that carries the properties.
    std::unique_ptr<CHostElement> GetOwnerElement();
};

} // namespace drovel
