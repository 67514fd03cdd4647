#pragma once
// The motion plug-in's application wrapper. Like all of this plug-in's host
// wrappers it keeps its DISPID cells itself and looks every name up at each
// attach; the chart control's wrappers of the same names share theirs.

#include <memory>

#include "hostclient/HostApplicationCalls.h"

namespace drovel {

class CHostCanvas;

class CHostApplication : public CHostApplicationCalls {
public:
    CHostApplication() : CHostApplicationCalls(m_ids) {}
    // Takes a reference of its own (see AttachApplication).
    void Attach(IDispatch* dispatch);

    std::unique_ptr<CHostCanvas> GetActiveCanvas();

private:
    DISPID m_ids[HostApplicationNames::IICommand] = {};  // every name before IICommand
};

} // namespace drovel
