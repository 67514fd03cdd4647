#pragma once
// One running motion-control script: its thread, its named stop event and
// its variables. The thread creates the runner's waitable timer and callback
// event (named after the runner with "-Timer" and "-Callback"), runs the
// script's "Startup" routine and then calls "Timer" on every tick and the
// script's receive routine whenever the device link signals a record.
// Reference-counted; the last Release stops the thread.
//
// Start, Stop and GetVariable are called by one thread at a time (the
// registry's lock serialises the codec's players); the runner thread shares
// only the run block below with them.

#include "base/com/RefCounted.h"
#include "base/com/RefPtr.h"
#include "base/win/UniqueHandle.h"

#include <functional>
#include <string>
#include <windows.h>
#include <oaidl.h>

class CDrovelObject;
class CScriptEngine;
class ScriptVariables;

class ScriptRunner final : public RefCounted {
public:
    // How long a stopping script gets to return before its thread is ended.
    static constexpr DWORD kStopWaitMs = 500;
    // After that, how long a forced end looks for a moment when the thread
    // runs nothing but the script engine's own code (never a device call,
    // never a system call that may hold a lock of the process), and how long
    // it then waits for the ended thread. A thread it cannot end safely is
    // left running, but its ports are taken from it first.
    static constexpr DWORD kForcedEndWaitMs = 250;
    static constexpr DWORD kTerminationWaitMs = 100;
    // So Stop holds its caller (the player's thread) at most kStopWaitMs +
    // kStopAllowanceMs, 850 ms, plus the closing of ports the script left
    // open (each ends its listener thread, normally within milliseconds).
    static constexpr DWORD kStopAllowanceMs = kForcedEndWaitMs + kTerminationWaitMs;

    // Makes the script host and its device object for a runner's thread.
    using EngineFactory = std::function<RefPtr<CScriptEngine>(
        const std::wstring& runnerName, ScriptVariables* variables, RefPtr<CDrovelObject>& madeObject)>;

    // Reference count 1, owned by the caller; not started. Without a
    // factory the codec's own engine host is used.
    explicit ScriptRunner(EngineFactory factory = nullptr);
    // Stops a running script first. Without a stop event or a thread the
    // runner stays stopped (its variables then answer defaults).
    void Start(const std::wstring& text);
    void Stop();

    // `defaultValue` when the runner has no thread, else the variable read
    // with its delta.
    HRESULT GetVariable(const std::wstring& name, VARIANT& result, const VARIANT& defaultValue);
    HRESULT SetVariable(const std::wstring& name, const VARIANT& value);

    const std::wstring& Name() const { return m_name; }
    // True when the thread has ended (or never started) within the wait.
    bool WaitForThreadEnd(DWORD milliseconds) const;

    // What the runner and the thread of one run share (defined with the runner).
    struct RunBlock;

private:
    ~ScriptRunner() override;
    bool CreateUniqueStopEvent();
    // After the stop wait: takes the ports from the thread, then ends it at
    // a safe moment and releases what it held, or leaves it to end by itself.
    void EndByForce();
    // Releases what a thread that died without unwinding left behind.
    void ReleaseIfDied();

    const EngineFactory m_factory;
    std::wstring m_name;
    // Shared with the thread of the current run; the thread holds its own
    // reference, so a thread that never ends keeps it alive.
    RefPtr<RunBlock> m_block;
    UniqueKernelHandle m_thread;
    UniqueKernelHandle m_stopEvent;
};
