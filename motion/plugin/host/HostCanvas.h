#pragma once
// The motion plug-in's canvas wrapper (cells of its own, see HostApplication.h).

#include <memory>

#include "hostclient/HostWrapper.h"

namespace drovel {

class CHostScene;

// Scene to Selection.
class CHostCanvas : public CHostOwnCells<HostCanvasNames, HostCanvasNames::FrameCount> {
public:
    std::unique_ptr<CHostScene> GetScene();
};

} // namespace drovel
