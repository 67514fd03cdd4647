#pragma once
// The host's version object.

#include "hostclient/HostObject.h"

class CHostVersion : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    long GetBuild();

private:
    enum Name { MajorVersion, MinorVersion, Build, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};
