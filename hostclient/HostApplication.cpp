#include "hostclient/HostApplication.h"

#include "hostclient/HostCanvas.h"
#include "hostclient/HostFrameBuffer.h"
#include "hostclient/HostVersion.h"

DISPID CHostApplication::s_ids[ApplicationNames::Count];
bool CHostApplication::s_resolved = false;

void CHostApplication::Attach(IDispatch* dispatch)
{
    AttachApplication(dispatch);
    ResolveNamesOnce(dispatch, ApplicationNames::list, s_ids, s_resolved);
}

std::unique_ptr<CHostCanvas> CHostApplication::GetActiveCanvas()
{
    return CallObject<CHostCanvas>(s_ids[ApplicationNames::ActiveCanvas], DISPATCH_PROPERTYGET);
}

long CHostApplication::MDIFrame(const std::wstring& caption, const std::array<long, 8>& v, const std::wstring& progId)
{
    return CallLong(s_ids[ApplicationNames::MDIFrame], DISPATCH_METHOD, caption, v[0], v[1], v[2], v[3], v[4], v[5],
                    v[6], v[7], progId);
}

std::unique_ptr<CHostFrameBuffer> CHostApplication::FrameBuffer(long index)
{
    return CallObject<CHostFrameBuffer>(s_ids[ApplicationNames::FrameBuffer], DISPATCH_METHOD, index);
}

long CHostApplication::GetFrameBuffers()
{
    return CallLong(s_ids[ApplicationNames::FrameBuffers], DISPATCH_PROPERTYGET);
}

long CHostApplication::GetActiveFrameBuffer()
{
    return CallLong(s_ids[ApplicationNames::ActiveFrameBuffer], DISPATCH_PROPERTYGET);
}

void CHostApplication::Open(const std::wstring& path)
{
    CallVoid(s_ids[ApplicationNames::Open], DISPATCH_METHOD, path);
}

std::unique_ptr<CHostVersion> CHostApplication::Version()
{
    return CallObject<CHostVersion>(s_ids[ApplicationNames::Version], DISPATCH_METHOD);
}
