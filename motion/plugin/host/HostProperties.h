#pragma once
// The custom properties of one object as the host hands them to the motion
// plug-in's property editor, and one property of that collection.

#include <memory>
#include <string>

#include "hostclient/HostObject.h"

namespace drovel {

class CHostElement;
class CHostProperty;

class CHostProperties : public CHostObject {
public:
    // Takes over the caller's reference.
    void Attach(IDispatch* dispatch);

    // Null when the collection has no property of that name.
    std::unique_ptr<CHostProperty> ByName(const std::wstring& name);
    // The element that carries the properties.
    std::unique_ptr<CHostElement> GetOwnerElement();
    // Empty when the collection has no such property.
    std::wstring GetPropertyString(const std::wstring& name);
    // Does nothing when the collection has no such property.
    void SetPropertyString(const std::wstring& name, const std::wstring& value);

private:
    enum Name { Count, ByIndex, ByName_, OwnerElement, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};

class CHostProperty : public CHostObject {
public:
    CHostProperty() = default;
    // Attaches at once, taking over the caller's reference.
    explicit CHostProperty(IDispatch* dispatch) { Attach(dispatch); }
    void Attach(IDispatch* dispatch);

    std::wstring GetValue();
    void SetValue(const std::wstring& value);

private:
    enum Name { Default, Type, Options, Name_, Value, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};

} // namespace drovel
