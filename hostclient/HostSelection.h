#pragma once
// The canvas selection and its edit commands.

#include <string>

#include "hostclient/HostObject.h"

class CHostSelection : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    // The host's command names, e.g. "Copy", "Paste", "Delete Object(s)".
    void Execute(const std::wstring& command);

private:
    enum Name { Execute_, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};
