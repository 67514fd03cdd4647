#include "motion/codec/ScriptRunner.h"

#include "base/com/ScopedComApartment.h"
#include "base/text/TextConversion.h"
#include "base/text/WideFormat.h"
#include "base/win/CriticalSection.h"
#include "base/win/ModulePinnedThread.h"
#include "motion/codec/DebugOutput.h"
#include "motion/codec/DeviceLinks.h"
#include "motion/codec/DrovelScriptEngine.h"
#include "motion/codec/LiveCounts.h"
#include "motion/codec/ScriptVariables.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <cwchar>
#include <exception>
#include <new>
#include <optional>
#include <activscp.h>

namespace {

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

// The address range of the module whose code implements `object`'s first
// virtual operation; empty when it cannot be told.
void ModuleRangeOf(const void* object, uintptr_t& begin, uintptr_t& end)
{
    begin = end = 0;
    const void* code = (*static_cast<void* const* const*>(object))[0];
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(code), &module))
        return;
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    begin = reinterpret_cast<uintptr_t>(base);
    end = begin + nt->OptionalHeader.SizeOfImage;
}

}  // namespace

// What the runner and its thread share for one run.
struct ScriptRunner::RunBlock final : RefCounted {
    RunBlock(std::wstring script, EngineFactory engineFactory)
        : text(std::move(script)), factory(std::move(engineFactory))
    {
    }

    enum Releaser { kTheThread, kOwnerOfDeadThread };

    // Cancels the timer, closes the device links and the engine, and lets
    // go of everything the thread held. Run by the thread as it ends, or by
    // the stopper once the thread is dead (ended by force, or by an
    // exception the system would not let it handle, such as a stack overflow).
    void ReleaseHeld(Releaser releaser)
    {
        RefPtr<DeviceLinks> ports;
        {
            CriticalSectionLock lock(engineLock);
            engine.Reset();
            ports = std::move(links);
        }
        if (timer)
            CancelWaitableTimer(timer.Get());
        // Ports and listener threads first: they must not wait for the
        // engine to let go of the object.
        if (ports && releaser == kTheThread)
            ports->Close();
        else if (ports)
            ports->CloseAbandoned();
        if (host)
            host->Close();
        host.Reset();
        drovel.Reset();
        callback.Reset();
        timer.Reset();
        stop.Reset();
        engineCount.reset();
        InterlockedExchange(&released, 1);
    }

    // The ports of the run's device object; null before the engine exists.
    RefPtr<DeviceLinks> Links()
    {
        CriticalSectionLock lock(engineLock);
        return links;
    }

    const std::wstring text;
    std::wstring name;
    const EngineFactory factory;
    ScriptVariables variables;

    // Set by the thread while its engine exists; taken by Stop to interrupt
    // it, and the device object's ports, which Stop may close.
    CriticalSection engineLock;
    RefPtr<IActiveScript> engine;
    RefPtr<DeviceLinks> links;
    // The engine's module: a thread stopped there runs script code only.
    volatile uintptr_t engineCodeBegin = 0;
    volatile uintptr_t engineCodeEnd = 0;
    // Non-zero exactly while the thread runs script code (global code or a
    // routine): only then may a stop end it by force.
    volatile LONG inScript = 0;
    // Set once ReleaseHeld has run: a thread that ended without it died.
    volatile LONG released = 0;

    // Held by the thread; read by the stopper only once the thread is dead.
    std::optional<LiveCount> engineCount;
    UniqueKernelHandle stop;
    UniqueKernelHandle timer;
    UniqueKernelHandle callback;
    RefPtr<CDrovelObject> drovel;
    RefPtr<CScriptEngine> host;

private:
    ~RunBlock() override = default;
};

namespace {

using RunBlock = ScriptRunner::RunBlock;

// Runs one call into the script, marked as script code for Stop.
template <typename Call>
bool InScript(RunBlock& block, Call call)
{
    InterlockedExchange(&block.inScript, 1);
    const bool succeeded = call();
    InterlockedExchange(&block.inScript, 0);
    return succeeded;
}

void RunLoop(RunBlock& block)
{
    const HANDLE waits[] = {block.stop.Get(), block.timer.Get(), block.callback.Get()};
    for (;;) {
        // The stop event comes first, so a stopping runner calls no routine.
        const DWORD woken = WaitForMultipleObjects(3, waits, FALSE, 1);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            return;
        if (woken == WAIT_OBJECT_0 + 1) {
            InScript(block, [&] { return block.host->CallSub(L"Timer"); });
        } else if (woken == WAIT_OBJECT_0 + 2) {
            ResetEvent(block.callback.Get());
            const std::wstring routine = block.drovel->CallbackRoutine();
            if (!routine.empty())
                InScript(block, [&] { return block.host->CallSub(routine); });
        }
    }
}

// Releases what the thread holds however Run is left.
class HeldResources {
public:
    explicit HeldResources(RunBlock& block) : m_block(block) {}
    ~HeldResources() { m_block.ReleaseHeld(RunBlock::kTheThread); }
    HeldResources(const HeldResources&) = delete;
    HeldResources& operator=(const HeldResources&) = delete;

private:
    RunBlock& m_block;
};

void Run(RunBlock& block)
{
    // Declared first, so COM is left only after everything was released.
    const ScopedComApartment apartment;
    HeldResources held(block);
    const std::wstring& name = block.name;
    block.stop.Reset(OpenEventW(EVENT_ALL_ACCESS, FALSE, (name + L"-Stop").c_str()));
    block.timer.Reset(CreateWaitableTimerW(nullptr, FALSE, (name + L"-Timer").c_str()));
    block.callback.Reset(CreateEventW(nullptr, TRUE, FALSE, (name + L"-Callback").c_str()));
    block.engineCount.emplace(LiveCount::kScriptEngine);
    block.host = block.factory ? block.factory(name, &block.variables, block.drovel)
                               : CreateDrovelScriptEngine(name, &block.variables, block.drovel);
    if (!block.stop || !block.timer || !block.callback || !block.host)
        return;
    block.host->SetScriptText(block.text);
    if (!block.host->CreateEngine())
        return;
    {
        CriticalSectionLock lock(block.engineLock);
        block.engine = block.host->Engine();
        if (block.drovel)
            block.links = block.drovel->Links();
    }
    uintptr_t begin = 0, end = 0;
    if (const RefPtr<IActiveScript> engine = block.host->Engine())
        ModuleRangeOf(engine.Get(), begin, end);
    block.engineCodeBegin = begin;
    block.engineCodeEnd = end;

    const auto stopping = [&block] { return WaitForSingleObject(block.stop.Get(), 0) == WAIT_OBJECT_0; };
    if (!stopping() && InScript(block, [&] { return block.host->RunScript(); })) {
        block.host->NotifyScriptObject();
        if (!stopping() && InScript(block, [&] { return block.host->CallSub(L"Startup"); }))
            RunLoop(block);
    }
}

// The runner thread's whole work. Nothing may leave it: the host would end.
void RunToEnd(RunBlock& block) noexcept
{
    try {
        Run(block);
    } catch (const std::exception& e) {
        DebugOutput(L"Runner %ls: stopped by an exception: %ls\n", block.name.c_str(),
                    NarrowToWide(e.what(), CP_ACP).c_str());
    } catch (...) {
        DebugOutput(L"Runner %ls: stopped by an exception\n", block.name.c_str());
    }
}

// Whether the suspended thread is at a point where ending it leaves no lock
// of the process held: inside script code, executing the engine's own module.
bool AtSafePoint(HANDLE thread, const RunBlock& block)
{
    if (!InterlockedCompareExchange(const_cast<volatile LONG*>(&block.inScript), 0, 0))
        return false;
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    if (!GetThreadContext(thread, &context))
        return false;
    return context.Eip >= block.engineCodeBegin && context.Eip < block.engineCodeEnd;
}

}  // namespace

ScriptRunner::ScriptRunner(EngineFactory factory) : m_factory(std::move(factory))
{
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
    if (!CreateUniqueStopEvent())
        return;
    m_block = RefPtr<RunBlock>::Adopt(new RunBlock(text, m_factory));
    m_block->name = m_name;
    // The thread holds the module until its very end, so the module cannot
    // be unloaded under it, and the run block, which it works on.
    m_thread = StartModulePinnedThread([run = m_block]() noexcept { RunToEnd(*run); });
    if (!m_thread) {
        m_block.Reset();
        m_stopEvent.Reset();
    }
}

void ScriptRunner::Stop()
{
    if (!m_thread)
        return;
    SetThreadPriority(m_thread.Get(), THREAD_PRIORITY_NORMAL);
    RefPtr<IActiveScript> engine;
    {
        CriticalSectionLock lock(m_block->engineLock);
        engine = std::move(m_block->engine);
    }
    if (engine) {
        EXCEPINFO none = {};
        engine->InterruptScriptThread(SCRIPTTHREADID_ALL, &none, 0);
        engine.Reset();
    }
    // Device calls and pauses watch this event and return at once.
    SetEvent(m_stopEvent.Get());
    if (WaitForSingleObject(m_thread.Get(), kStopWaitMs) != WAIT_OBJECT_0)
        EndByForce();
    ReleaseIfDied();
    m_thread.Reset();
    m_stopEvent.Reset();
    m_block.Reset();
}

void ScriptRunner::ReleaseIfDied()
{
    if (!m_thread || WaitForSingleObject(m_thread.Get(), 0) != WAIT_OBJECT_0 ||
        InterlockedCompareExchange(&m_block->released, 0, 0) != 0)
        return;
    // Under Wine, a script that recurses without end overflows the thread's
    // stack, and the system ends the thread without unwinding it.
    DebugOutput(L"Runner %ls: the script's thread died; its ports and engine are released\n", m_name.c_str());
    m_block->ReleaseHeld(RunBlock::kOwnerOfDeadThread);
}

void ScriptRunner::EndByForce()
{
    const ULONGLONG deadline = GetTickCount64() + kForcedEndWaitMs;
    const RefPtr<DeviceLinks> ports = m_block->Links();
    bool portsClosed = !ports;
    for (;;) {
        if (WaitForSingleObject(m_thread.Get(), 0) == WAIT_OBJECT_0)
            return;   // it ended by itself
        // The ports first: whatever becomes of the thread, the next script
        // can open them.
        if (!portsClosed)
            portsClosed = ports->CloseWithoutWaiting();
        const bool inScript = InterlockedCompareExchange(&m_block->inScript, 0, 0) != 0;
        if (portsClosed && inScript && SuspendThread(m_thread.Get()) != static_cast<DWORD>(-1)) {
            const bool safe = AtSafePoint(m_thread.Get(), *m_block);
            if (safe)
                TerminateThread(m_thread.Get(), 0);
            ResumeThread(m_thread.Get());
            if (safe) {
                // Whatever the dead thread held, its owner releases now.
                if (WaitForSingleObject(m_thread.Get(), kTerminationWaitMs) == WAIT_OBJECT_0)
                    m_block->ReleaseHeld(RunBlock::kOwnerOfDeadThread);
                return;
            }
        }
        if (GetTickCount64() >= deadline) {
            // Ending it now could leave a lock of the process held: it keeps
            // its own reference to the run and ends whenever it returns.
            DebugOutput(portsClosed ? L"Runner %ls: the script did not stop; its thread is left running, its ports closed\n"
                                    : L"Runner %ls: the script did not stop; its thread is left running and closes its ports as its device call ends\n",
                        m_name.c_str());
            return;
        }
        WaitForSingleObject(m_thread.Get(), 1);
    }
}

bool ScriptRunner::WaitForThreadEnd(DWORD milliseconds) const
{
    return !m_thread || WaitForSingleObject(m_thread.Get(), milliseconds) == WAIT_OBJECT_0;
}

HRESULT ScriptRunner::GetVariable(const std::wstring& name, VARIANT& result, const VARIANT& defaultValue)
{
    // A thread that died mid-play must not keep its ports until the stop.
    ReleaseIfDied();
    if (!m_thread) {
        VariantClear(&result);
        return CopyVariant(result, defaultValue);
    }
    return m_block->variables.Get(name, result, defaultValue);
}

HRESULT ScriptRunner::SetVariable(const std::wstring& name, const VARIANT& value)
{
    return m_block ? m_block->variables.Set(name, value) : E_UNEXPECTED;
}
