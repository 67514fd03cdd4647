#pragma once
// Window tests wait for posted messages and timers by handling messages
// until a condition holds, never by sleeping a fixed time.

#include "platform/ui/MessageLoop.h"

#include <windows.h>
#include <functional>

// False when the condition still does not hold after five seconds.
inline bool PumpUntil(const std::function<bool()>& condition)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > 5000) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpWaitingMessages();
    }
    return true;
}
