#pragma once
// An element's custom properties as the host hands them to a property
// editor, and one property of that collection.

#include <memory>
#include <string>

#include "hostclient/HostWrapper.h"

class CHostProperties : public CHostOwnCells<HostPropertiesNames> {
public:
    // ByName: null when the collection has no property of that name.
    // GetOwnerElement: the element that carries the properties.
    HOST_MEMBERS(Properties)
    // Empty when the collection has no such property.
    std::wstring GetPropertyString(const std::wstring& name);
    // Does nothing when the collection has no such property.
    void SetPropertyString(const std::wstring& name, const std::wstring& value);
};

class CHostProperty : public CHostOwnCells<HostPropertyNames> {
public:
    CHostProperty() = default;
    // Attaches at once, taking over the caller's reference.
    explicit CHostProperty(IDispatch* dispatch) { Attach(dispatch); }

    HOST_MEMBERS(Property)
};
