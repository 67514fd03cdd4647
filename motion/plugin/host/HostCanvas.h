#pragma once
// The motion plug-in's canvas wrapper (cells of its own, see HostApplication.h).

#include <memory>

#include "hostclient/HostMemberNames.h"
#include "hostclient/HostObject.h"

namespace drovel {

class CHostScene;

class CHostCanvas : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    std::unique_ptr<CHostScene> GetScene();

private:
    DISPID m_ids[CanvasNames::FrameCount] = {};  // Scene to Selection
};

} // namespace drovel
