#pragma once
// The motion plug-in's element wrapper (cells of its own, see
// HostApplication.h): the movie element whose file the plug-in switches.

#include <string>

#include "hostclient/HostWrapper.h"

namespace drovel {

// Every name before JustificationX.
class CHostElement : public CHostOwnCells<HostElementNames, HostElementNames::JustificationX> {
public:
    // The movie file's full path.
    std::wstring GetFilename();
    void SetFilename(const std::wstring& path);
};

} // namespace drovel
