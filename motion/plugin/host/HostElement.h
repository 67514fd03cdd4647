#pragma once
// The motion plug-in's element wrapper (cells of its own, see
// HostApplication.h): the movie element whose file the plug-in switches.

#include <string>

#include "hostclient/HostMemberNames.h"
#include "hostclient/HostObject.h"

namespace drovel {

class CHostElement : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    // The movie file's full path.
    std::wstring GetFilename();
    void SetFilename(const std::wstring& path);

private:
    DISPID m_ids[ElementNames::JustificationX] = {};  // every name before JustificationX
};

} // namespace drovel
