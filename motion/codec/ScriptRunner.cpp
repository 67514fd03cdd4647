#include "motion/codec/ScriptRunner.h"

#include "common/text/WideFormat.h"
#include "motion/codec/DrovelScriptEngine.h"
#include "motion/codec/LiveCounts.h"

#include <cstdlib>
#include <ctime>
#include <cwchar>
#include <objbase.h>

namespace {

// How often a stop looks at what the thread is doing.
constexpr DWORD kStopPollMs = 20;

// Names already taken (by a runner of this or another process) are drawn again.
constexpr int kNameAttempts = 32;

volatile LONG g_runnerStarts = 0;

std::wstring DrawRunnerName()
{
    // The clock alone repeats within a second; the start count keeps two
    // starts apart.
    const unsigned starts = static_cast<unsigned>(InterlockedIncrement(&g_runnerStarts));
    srand(static_cast<unsigned>(time(nullptr)) ^ (starts * 2654435761u) ^ GetCurrentProcessId());
    const int a = rand(), b = rand(), c = rand(), d = rand();
    return FormatWide(L"%d-%d-%d-%d", a, b, c, d);
}

class ComApartment {
public:
    ComApartment() : m_hr(CoInitialize(nullptr)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    const HRESULT m_hr;
};

}  // namespace

ULONG ScriptRunner::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refCount));
}

ULONG ScriptRunner::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

ScriptRunner::~ScriptRunner()
{
    Stop();
}

bool ScriptRunner::CreateUniqueStopEvent()
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::wstring name = DrawRunnerName();
        UniqueKernelHandle stop(CreateEventW(nullptr, TRUE, FALSE, (name + L"-Stop").c_str()));
        if (!stop)
            return false;
        if (::GetLastError() == ERROR_ALREADY_EXISTS)
            continue;
        m_name = name;
        m_stopEvent = std::move(stop);
        return true;
    }
    return false;
}

void ScriptRunner::Start(const std::wstring& text)
{
    Stop();
    m_text = text;
    {
        CriticalSectionLock lock(m_engineLock);
        m_engine.Reset();
    }
    if (!CreateUniqueStopEvent())
        return;
    // The thread holds the module until its very end, so the module cannot
    // be unloaded under it.
    UniqueModule module;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&ScriptRunner::ThreadMain), module.Put())) {
        m_stopEvent.Reset();
        return;
    }
    m_thread.Reset(CreateThread(nullptr, 0, &ScriptRunner::ThreadMain, this, 0, nullptr));
    if (!m_thread) {
        m_stopEvent.Reset();
        return;
    }
    module.Detach();   // the thread frees it as it exits
}

void ScriptRunner::Stop()
{
    if (!m_thread)
        return;
    SetThreadPriority(m_thread.Get(), THREAD_PRIORITY_NORMAL);
    RefPtr<IActiveScript> engine;
    {
        CriticalSectionLock lock(m_engineLock);
        engine = std::move(m_engine);
    }
    if (engine) {
        EXCEPINFO none = {};
        engine->InterruptScriptThread(SCRIPTTHREADID_ALL, &none, 0);
        engine.Reset();
    }
    SetEvent(m_stopEvent.Get());
    // Setting up, waiting and cleaning up end by themselves once the stop
    // event is set, however slow the machine; ending the thread there
    // would leave a lock held or a port listener running. Only script code
    // that does not return within the wait is ended.
    const ULONGLONG deadline = GetTickCount64() + kStopWaitMs;
    while (WaitForSingleObject(m_thread.Get(), kStopPollMs) == WAIT_TIMEOUT) {
        if (GetTickCount64() >= deadline && InterlockedCompareExchange(&m_inScript, 0, 0)) {
            TerminateThread(m_thread.Get(), 0);
            break;
        }
    }
    m_thread.Reset();
    m_stopEvent.Reset();
}

bool ScriptRunner::WaitForThreadEnd(DWORD milliseconds) const
{
    return !m_thread || WaitForSingleObject(m_thread.Get(), milliseconds) == WAIT_OBJECT_0;
}

HRESULT ScriptRunner::GetVariable(const std::wstring& name, VARIANT& result, const VARIANT& defaultValue)
{
    if (!m_thread) {
        VariantClear(&result);
        return CopyVariant(result, defaultValue);
    }
    return m_variables.Get(name, result, defaultValue);
}

HRESULT ScriptRunner::SetVariable(const std::wstring& name, const VARIANT& value)
{
    return m_variables.Set(name, value);
}

DWORD WINAPI ScriptRunner::ThreadMain(void* runner)
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ScriptRunner::ThreadMain), &module);
    static_cast<ScriptRunner*>(runner)->Run();
    // Drops the reference Start took for this thread.
    FreeLibraryAndExitThread(module, 0);
}

template <typename Call>
bool ScriptRunner::InScript(Call call)
{
    InterlockedExchange(&m_inScript, 1);
    const bool succeeded = call();
    InterlockedExchange(&m_inScript, 0);
    return succeeded;
}

void ScriptRunner::Run()
{
    ComApartment apartment;
    const UniqueKernelHandle stop(OpenEventW(EVENT_ALL_ACCESS, FALSE, (m_name + L"-Stop").c_str()));
    const UniqueKernelHandle timer(CreateWaitableTimerW(nullptr, FALSE, (m_name + L"-Timer").c_str()));
    const UniqueKernelHandle callback(CreateEventW(nullptr, TRUE, FALSE, (m_name + L"-Callback").c_str()));
    const LiveCount engineCount(LiveCount::kScriptEngine);
    RefPtr<CDrovelObject> drovel;
    RefPtr<CScriptEngine> host = CreateDrovelScriptEngine(m_name, &m_variables, drovel);
    if (!stop || !timer || !callback || !host)
        return;
    host->SetScriptText(m_text);
    if (!host->CreateEngine())
        return;   // no engine: nothing to close
    {
        CriticalSectionLock lock(m_engineLock);
        m_engine = host->Engine();
    }
    const auto stopping = [&stop] { return WaitForSingleObject(stop.Get(), 0) == WAIT_OBJECT_0; };
    if (!stopping() && InScript([&] { return host->RunScript(); })) {
        host->NotifyScriptObject();
        if (!stopping() && InScript([&] { return host->CallSub(L"Startup"); }))
            RunLoop(*host, *drovel, stop.Get(), timer.Get(), callback.Get());
    }
    {
        CriticalSectionLock lock(m_engineLock);
        m_engine.Reset();
    }
    CancelWaitableTimer(timer.Get());
    host->Close();
}

void ScriptRunner::RunLoop(CScriptEngine& host, CDrovelObject& drovel, HANDLE stop, HANDLE timer, HANDLE callback)
{
    const HANDLE waits[] = {stop, timer, callback};
    for (;;) {
        // The stop event comes first, so a stopping runner calls no routine.
        const DWORD woken = WaitForMultipleObjects(3, waits, FALSE, 1);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            return;
        if (woken == WAIT_OBJECT_0 + 1) {
            InScript([&] { return host.CallSub(L"Timer"); });
        } else if (woken == WAIT_OBJECT_0 + 2) {
            ResetEvent(callback);
            const std::wstring routine = drovel.CallbackRoutine();
            if (!routine.empty())
                InScript([&] { return host.CallSub(routine); });
        }
    }
}
