#include "common/script/ScriptTimeLimit.h"

#include <algorithm>

CScriptWatchdog::CScriptWatchdog()
{
    m_runs.reserve(4);
    m_thread.Reset(CreateThread(nullptr, 0, &CScriptWatchdog::Watch, this, 0, nullptr));
}

CScriptWatchdog::~CScriptWatchdog()
{
    if (!m_thread)
        return;
    {
        const CriticalSectionLock lock(m_lock);
        m_stopping = true;
    }
    WakeConditionVariable(&m_wake);
    WaitForSingleObject(m_thread.Get(), INFINITE);
}

void CScriptWatchdog::Arm(CScriptTimeLimit* run)
{
    if (!m_thread)
        return;
    bool wake = false;
    {
        const CriticalSectionLock lock(m_lock);
        run->m_start = GetTickCount();
        m_runs.push_back(run);
        // A thread asleep until an earlier deadline sees this run then; only
        // one that watches nothing, or wakes too late, is woken.
        const DWORD deadline = run->m_start + run->m_limitMs;
        wake = m_watchesNone || static_cast<LONG>(deadline - m_wakeAt) < 0;
        if (wake)
            m_watchesNone = false;
    }
    if (wake)
        WakeConditionVariable(&m_wake);
}

void CScriptWatchdog::Disarm(CScriptTimeLimit* run)
{
    if (!m_thread)
        return;
    const CriticalSectionLock lock(m_lock);
    while (m_expiring == run)
        m_lock.Wait(m_finished, INFINITE);
    m_runs.erase(std::remove(m_runs.begin(), m_runs.end(), run), m_runs.end());
    // The thread is not woken: it finds the run gone at its next wake.
}

DWORD WINAPI CScriptWatchdog::Watch(void* self)
{
    static_cast<CScriptWatchdog*>(self)->WatchRuns();
    return 0;
}

void CScriptWatchdog::WatchRuns()
{
    const CriticalSectionLock lock(m_lock);
    while (!m_stopping) {
        const DWORD now = GetTickCount();
        DWORD wait = INFINITE;
        const auto due = std::find_if(m_runs.begin(), m_runs.end(), [&](const CScriptTimeLimit* run) {
            const DWORD elapsed = now - run->m_start;
            if (elapsed >= run->m_limitMs)
                return true;
            wait = std::min(wait, run->m_limitMs - elapsed);
            return false;
        });
        if (due == m_runs.end()) {
            m_watchesNone = wait == INFINITE;
            m_wakeAt = now + wait;
            m_lock.Wait(m_wake, wait);
            continue;
        }
        CScriptTimeLimit* const run = *due;
        m_runs.erase(due);
        run->m_expired = true;
        m_expiring = run;
        m_lock.Leave();
        // Nothing may unwind into this thread's root.
        try {
            if (run->m_onExpired)
                run->m_onExpired();
        } catch (...) {
        }
        m_lock.Enter();
        m_expiring = nullptr;
        WakeAllConditionVariable(&m_finished);
    }
}

CScriptTimeLimit::CScriptTimeLimit(CScriptWatchdog& watchdog, DWORD limitMs, std::function<void()> onExpired)
    : m_watchdog(watchdog), m_limitMs(limitMs), m_onExpired(std::move(onExpired))
{
    m_watchdog.Arm(this);
}

CScriptTimeLimit::~CScriptTimeLimit()
{
    m_watchdog.Disarm(this);
}
