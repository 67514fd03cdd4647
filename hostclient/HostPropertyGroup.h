#pragma once
// One custom-property group of a node, keyed by property name.

#include <string>

#include "hostclient/HostObject.h"

class CHostPropertyGroup : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    // The value goes by value; the caller keeps and clears its own.
    void SetValue(const std::wstring& name, const VARIANT& value);
    void SetValueString(const std::wstring& name, const std::wstring& text);
    void GetValue(const std::wstring& name, ScopedVariant& value);
    // True for a string value other than "???" (the host's answer for a
    // property the object does not carry). A non-string value leaves `out`
    // unchanged; "???" is stored in `out` and gives false.
    bool GetValueString(const std::wstring& name, std::wstring& out);

private:
    enum Name { Value, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};
