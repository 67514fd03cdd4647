#pragma once
// The host application: the road to canvases, frame buffers and the host's
// registration and registry services.

#include <array>
#include <memory>
#include <string>

#include "hostclient/HostApplicationCalls.h"

class CHostApplication : public CHostApplicationCalls {
public:
    CHostApplication() : CHostApplicationCalls(s_ids) {}
    // Takes a reference of its own (see AttachApplication).
    void Attach(IDispatch* dispatch);

    HOST_MEMBERS(Application)
    long MDIFrame(const std::wstring& caption, const std::array<long, 8>& values, const std::wstring& progId);

private:
    static inline DISPID s_ids[HostApplicationNames::NameCount] = {};
    static inline bool s_resolved = false;
};
