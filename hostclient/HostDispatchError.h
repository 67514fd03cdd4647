#pragma once
// For a control's dispatch members: the result the caller gets for the
// exception that left a member. A host error comes back as DISP_E_EXCEPTION
// with the host's description and code; everything else as the ActiveX
// layer decides (DefaultExceptionResult).

#include <windows.h>
#include <oaidl.h>

// Only inside a catch block.
HRESULT HostExceptionResult(EXCEPINFO* info, const wchar_t* source);
