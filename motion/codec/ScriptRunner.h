#pragma once
// One running motion-control script: its thread, its named stop event and
// its variables. The thread creates the runner's waitable timer and callback
// event (named after the runner with "-Timer" and "-Callback"), runs the
// script's "Startup" routine and then calls "Timer" on every tick and the
// script's receive routine whenever the device link signals a record.
// Reference-counted; the last Release stops the thread.

#include "common/com/RefPtr.h"
#include "common/win/CriticalSection.h"
#include "common/win/UniqueHandle.h"
#include "motion/codec/ScriptVariables.h"

#include <string>
#include <windows.h>
#include <activscp.h>

class CDrovelObject;
class CScriptEngine;

class ScriptRunner {
public:
    // How long a stopping script gets to return before its thread is ended.
    static constexpr DWORD kStopWaitMs = 500;

    // Reference count 1, owned by the caller; not started.
    ScriptRunner() = default;
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    ULONG AddRef();
    ULONG Release();

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

private:
    ~ScriptRunner();
    bool CreateUniqueStopEvent();
    static DWORD WINAPI ThreadMain(void* runner);
    void Run();
    void RunLoop(CScriptEngine& host, CDrovelObject& drovel, HANDLE stop, HANDLE timer, HANDLE callback);
    // Runs one call into the script, marked as script code for Stop.
    template <typename Call>
    bool InScript(Call call);

    volatile LONG m_refCount = 1;
    std::wstring m_text;
    std::wstring m_name;
    // Set by the runner thread while its engine exists; taken by Stop.
    CriticalSection m_engineLock;
    RefPtr<IActiveScript> m_engine;
    ScriptVariables m_variables;
    UniqueKernelHandle m_thread;
    UniqueKernelHandle m_stopEvent;
    // Non-zero exactly while the thread runs script code (global code or a
    // routine): only then may a stop end it by force.
    volatile LONG m_inScript = 0;
};
