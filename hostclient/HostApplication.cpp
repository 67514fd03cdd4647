#include "hostclient/HostApplication.h"

#include "hostclient/HostWrappers.h"

void CHostApplication::Attach(IDispatch* dispatch)
{
    AttachApplication(dispatch);
    ResolveNamesOnce(dispatch, HostApplicationNames::list, s_ids, s_resolved);
}

#define HOST_CLASS CHostApplication
HOST_DEFINE_MEMBERS(Application)
#undef HOST_CLASS

long CHostApplication::MDIFrame(const std::wstring& caption, const std::array<long, 8>& v, const std::wstring& progId)
{
    return CallLong(Id(Names::MDIFrame), DISPATCH_METHOD, caption, v[0], v[1], v[2], v[3], v[4], v[5],
                    v[6], v[7], progId);
}
