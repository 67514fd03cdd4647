#pragma once
// One custom-property group of a node, keyed by property name.

#include <string>

#include "hostclient/HostWrapper.h"

class CHostPropertyGroup : public CHostOwnCells<HostPropertyGroupNames> {
public:
    // SetValue: the value goes by value; the caller keeps and clears its own.
    HOST_MEMBERS(PropertyGroup)
    void GetValue(const std::wstring& name, ScopedVariant& value);
    // True for a string value other than "???" (the host's answer for a
    // property the object does not carry). A non-string value leaves `out`
    // unchanged; "???" is stored in `out` and gives false.
    bool GetValueString(const std::wstring& name, std::wstring& out);
};
