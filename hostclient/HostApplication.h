#pragma once
// The host application: the road to canvases, frame buffers and the host's
// registration and registry services.

#include <array>
#include <memory>
#include <string>

#include "hostclient/HostApplicationCalls.h"

class CHostCanvas;
class CHostFrameBuffer;
class CHostVersion;

class CHostApplication : public CHostApplicationCalls {
public:
    CHostApplication() : CHostApplicationCalls(s_ids) {}
    // Takes a reference of its own (see AttachApplication).
    void Attach(IDispatch* dispatch);

    std::unique_ptr<CHostCanvas> GetActiveCanvas();
    long MDIFrame(const std::wstring& caption, const std::array<long, 8>& values, const std::wstring& progId);
    std::unique_ptr<CHostFrameBuffer> FrameBuffer(long index);
    long GetFrameBuffers();
    long GetActiveFrameBuffer();
    void Open(const std::wstring& path);
    std::unique_ptr<CHostVersion> Version();

private:
    static DISPID s_ids[ApplicationNames::Count];
    static bool s_resolved;
};
