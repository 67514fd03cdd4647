#pragma once
// Window tests wait for posted messages and timers by handling messages
// until a condition holds, never by sleeping a fixed time.

#include "platform/ui/MessageLoop.h"

#include <windows.h>
#include <functional>

// False when the condition still does not hold after the limit (five
// seconds unless the wait covers several ticks of a timer).
inline bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs = 5000)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > limitMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpWaitingMessages();
    }
    return true;
}
