#pragma once
// A watchdog for one script run: when the run outlasts its limit,
// `onExpired` runs once on a thread of the system's timer queue while the
// run goes on, so it can log and interrupt the engine.

#include <windows.h>

#include <atomic>
#include <functional>

#include "base/win/UniqueHandle.h"

class CScriptTimeLimit {
public:
    // Without a timer (the system refused one) the run is simply unbounded.
    CScriptTimeLimit(DWORD limitMs, std::function<void()> onExpired);
    CScriptTimeLimit(const CScriptTimeLimit&) = delete;
    CScriptTimeLimit& operator=(const CScriptTimeLimit&) = delete;
    // Disarms the timer, waiting for an `onExpired` that is running.
    ~CScriptTimeLimit() = default;

    bool Expired() const { return m_expired; }

private:
    static void CALLBACK OnTimer(void* self, BOOLEAN);

    std::function<void()> m_onExpired;
    std::atomic<bool> m_expired{false};
    UniqueTimerQueueTimer m_timer;   // last: goes first, before what its callback uses
};
