#include "provider/server/SocketListener.h"  // first: winsock2.h before windows.h

#include "provider/server/RequestScript.h"

#include "common/com/ScopedComApartment.h"
#include "provider/ProgramLog.h"
#include "provider/ScrivaneScriptEngine.h"
#include "provider/SetupIni.h"

bool StartScript(const std::wstring& scriptText, const std::wstring& callText, CXmlNode* reply)
{
    const ScopedComApartment com;
    RefPtr<CScriptEngine> engine = CreateScrivaneScriptEngine();
    if (!engine)
        return true;
    engine->SetScriptText(scriptText);
    if (!engine->CreateEngine())
        return true;
    engine->RunScript();
    engine->NotifyScriptObject();
    engine->SetResultTree(reply);
    if (!engine->CallSub(callText))
        LogMessage(L"Error starting script");
    engine->Close();
    return true;
}

RequestRunner MakeScriptRunner(std::function<std::wstring()> currentScript)
{
    return [currentScript = std::move(currentScript)](const HistoricalRequest& request, CXmlNode* reply) {
        StartScript(currentScript(), BuildRoutineCall(request), reply);
    };
}

void StartServerPort(CSocketListener& listener)
{
    const int port = GetSetupInt(kSetupSection, kServerPortKey, kDefaultServerPort);
    if (port < 0 || port > 65535) {
        LogMessage(L"Cannot create server on port %d", port);
        return;
    }
    listener.StartListening(static_cast<unsigned short>(port));
}
