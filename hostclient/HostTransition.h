#pragma once
// A scene transition.

#include <string>

#include "hostclient/HostObject.h"

class CHostTransition : public CHostObject {
public:
    // Also used directly on the elements of CHostScene::Transitions: the
    // caller AddRefs the element first and the wrapper owns that reference.
    void Attach(IDispatch* dispatch);

    std::wstring GetName();
    void Activate();

private:
    enum Name { Name_, Activate_, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};
