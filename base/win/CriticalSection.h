#pragma once
// A Win32 critical section and its scoped lock.
#include <windows.h>

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&m_cs); }
    ~CriticalSection() { DeleteCriticalSection(&m_cs); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    void Enter() { EnterCriticalSection(&m_cs); }
    // True when the section was free (or already this thread's) and is now held.
    bool TryEnter() { return TryEnterCriticalSection(&m_cs) != FALSE; }
    void Leave() { LeaveCriticalSection(&m_cs); }
    // Held on entry: left while waiting for `condition` (at most `timeoutMs`)
    // and held again on return.
    void Wait(CONDITION_VARIABLE& condition, DWORD timeoutMs) { SleepConditionVariableCS(&condition, &m_cs, timeoutMs); }

private:
    CRITICAL_SECTION m_cs;
};

class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CriticalSection& cs) : m_cs(cs) { m_cs.Enter(); }
    ~CriticalSectionLock() { m_cs.Leave(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection& m_cs;
};
