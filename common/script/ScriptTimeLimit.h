#pragma once
// A watchdog for script runs: when a run outlasts its limit, its
// `onExpired` runs once on the watchdog's thread while the run goes on, so
// it can log and interrupt the engine.
//
// One thread watches every run of its watchdog. A run is armed and disarmed
// under a lock, with no kernel object made or signalled: a program that
// runs a script for every request pays for the watch only in the rare runs
// that expire. The thread sleeps until the earliest deadline, or until it is
// woken because a run came while it watched none.

#include <windows.h>

#include <atomic>
#include <functional>
#include <vector>

#include "base/win/CriticalSection.h"
#include "base/win/UniqueHandle.h"

class CScriptTimeLimit;

class CScriptWatchdog {
public:
    // Without a thread (the system refused one) runs are simply unbounded.
    CScriptWatchdog();
    // Every run must be over.
    ~CScriptWatchdog();
    CScriptWatchdog(const CScriptWatchdog&) = delete;
    CScriptWatchdog& operator=(const CScriptWatchdog&) = delete;

private:
    friend class CScriptTimeLimit;

    void Arm(CScriptTimeLimit* run);
    void Disarm(CScriptTimeLimit* run);
    static DWORD WINAPI Watch(void* self);
    void WatchRuns();

    // Guards everything below, and the runs' start.
    CriticalSection m_lock;
    CONDITION_VARIABLE m_wake = CONDITION_VARIABLE_INIT;      // the thread waits here
    CONDITION_VARIABLE m_finished = CONDITION_VARIABLE_INIT;  // a disarm waits here for a callback
    std::vector<CScriptTimeLimit*> m_runs;                   // armed, not yet expired
    CScriptTimeLimit* m_expiring = nullptr;                  // whose callback runs now
    bool m_watchesNone = false;   // the thread sleeps until it is woken
    DWORD m_wakeAt = 0;           // else the tick it wakes at by itself
    bool m_stopping = false;
    UniqueKernelHandle m_thread;   // last: started once the rest exists
};

// One run's watch, from construction to destruction.
class CScriptTimeLimit {
public:
    CScriptTimeLimit(CScriptWatchdog& watchdog, DWORD limitMs, std::function<void()> onExpired);
    // Disarms the watch, waiting for an `onExpired` that is running.
    ~CScriptTimeLimit();
    CScriptTimeLimit(const CScriptTimeLimit&) = delete;
    CScriptTimeLimit& operator=(const CScriptTimeLimit&) = delete;

    bool Expired() const { return m_expired; }

private:
    friend class CScriptWatchdog;

    CScriptWatchdog& m_watchdog;
    const DWORD m_limitMs;
    const std::function<void()> m_onExpired;
    DWORD m_start = 0;
    std::atomic<bool> m_expired{false};
};
