#pragma once
// The text object of an element and its font.

#include <string>

#include "hostclient/HostWrapper.h"

HOST_WRAPPER_CLASS(Text)

class CHostFont : public CHostOwnCells<HostFontNames> {
public:
    // SetColor does nothing when the host's font lacks the member.
    HOST_MEMBERS(Font)

    // A string the caller keeps with the font; empty until set, never sent
    // to the host.
    const std::wstring& GetTag() const { return m_tag; }
    void SetTag(std::wstring tag) { m_tag = std::move(tag); }

private:
    std::wstring m_tag;
};
