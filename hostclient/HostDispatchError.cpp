#include "hostclient/HostDispatchError.h"

#include "hostclient/HostException.h"
#include "platform/activex/TypedDispatch.h"

HRESULT HostExceptionResult(EXCEPINFO* info, const wchar_t* source)
{
    try {
        throw;
    } catch (const CHostException& error) {
        return DispatchException(info, error.HResult(), error.Description(), source);
    } catch (...) {
        return DefaultExceptionResult(info, source);
    }
}
