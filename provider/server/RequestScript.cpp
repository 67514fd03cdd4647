#include "provider/server/SocketListener.h"  // first: winsock2.h before windows.h

#include "provider/server/RequestScript.h"

#include <memory>

#include "base/com/ScopedComApartment.h"
#include "provider/ProgramLog.h"
#include "provider/ScrivaneScriptEngine.h"
#include "provider/SetupIni.h"

RunResult StartScript(const std::wstring& scriptText, const std::wstring& callText, CXmlNode* reply,
                      CScriptWatchdog& watchdog, unsigned long timeLimitMs)
{
    const ScopedComApartment com;
    RefPtr<CScriptEngine> engine = CreateScrivaneScriptEngine();
    if (!engine)
        return RunResult::Failed;
    engine->SetScriptText(scriptText);
    if (!engine->CreateEngine())
        return RunResult::Failed;
    bool called = false;
    bool timedOut = false;
    {
        // The run happens on this thread; the watchdog speaks from its own.
        CScriptTimeLimit limit(watchdog, timeLimitMs, [&engine, timeLimitMs] {
            LogMessage(L"Script still running after %u ms: interrupting it", static_cast<unsigned>(timeLimitMs));
            const HRESULT hr = engine->Interrupt();
            if (FAILED(hr))
                LogMessage(L"The script engine cannot interrupt a script (hr = 0x%08X): it stops only at its next "
                           L"call to Scrivane",
                           static_cast<unsigned>(hr));
        });
        engine->RunScript();
        engine->NotifyScriptObject();
        engine->SetResultTree(reply);
        // Global code stopped at its limit leaves no time for the routine.
        called = !limit.Expired() && engine->CallSub(callText);
        timedOut = limit.Expired();
    }
    if (!called)
        LogMessage(L"Error starting script");
    engine->Close();
    if (timedOut)
        return RunResult::TimedOut;
    return called ? RunResult::Completed : RunResult::Failed;
}

RequestRunner MakeScriptRunner(std::function<std::wstring()> currentScript, unsigned long timeLimitMs)
{
    return [currentScript = std::move(currentScript), watchdog = std::make_shared<CScriptWatchdog>(),
            timeLimitMs](const HistoricalRequest& request, CXmlNode* reply) {
        return StartScript(currentScript(), BuildRoutineCall(request), reply, *watchdog, timeLimitMs);
    };
}

void StartServerPort(CSocketListener& listener)
{
    const int port = GetSetupInt(kSetupSection, kServerPortKey, kDefaultServerPort);
    if (port < 0 || port > 65535) {
        LogMessage(L"Cannot create server on port %d", port);
        return;
    }
    const int idleTimeoutMs = GetSetupInt(kSetupSection, kIdleTimeoutKey, 0);
    listener.SetIdleTimeout(idleTimeoutMs > 0 ? static_cast<DWORD>(idleTimeoutMs) : CSocketListener::kIdleTimeoutMs);
    listener.StartListening(static_cast<unsigned short>(port));
}
