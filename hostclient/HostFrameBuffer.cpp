#include "hostclient/HostFrameBuffer.h"

#include "hostclient/HostWrappers.h"

#define HOST_CLASS CHostFrameBuffer
HOST_DEFINE_MEMBERS(FrameBuffer)
#undef HOST_CLASS

void CHostFrameBuffer::Scenes(ScopedVariant& scenes)
{
    scenes.Clear();
    if (Id(Names::Scenes) == DISPID_UNKNOWN)
        return;
    CallVariant(scenes, Id(Names::Scenes), DISPATCH_METHOD);
}

// The host answers one byte.
bool CHostFrameBuffer::SelectScene(const CHostScene& scene)
{
    return CallChar(Id(Names::SelectScene), DISPATCH_METHOD, scene.GetDispatch());
}
