#include "motion/codec/DrovelScriptEngine.h"

#include "motion/codec/DebugOutput.h"

#include <new>

RefPtr<CScriptEngine> CreateDrovelScriptEngine(const std::wstring& runnerName, ScriptVariables* variables,
                                               RefPtr<CDrovelObject>& madeObject)
{
    ScriptEngineOptions options;
    options.itemName = kDrovelItemName;
    options.itemFlags = SCRIPTITEM_ISVISIBLE | SCRIPTITEM_ISSOURCE;
    options.createObject = [runnerName, variables, &madeObject] {
        madeObject = RefPtr<CDrovelObject>::Adopt(new (std::nothrow) CDrovelObject(runnerName, variables));
        return RefPtr<CAutomationObject>(madeObject.Get());
    };
    options.reportError = [](const ScriptError& error) {
        DebugOutput(L"Error %ls ad line %d, char %d\n", error.source.c_str(), static_cast<int>(error.line),
                    static_cast<int>(error.character));
    };
    return RefPtr<CScriptEngine>::Adopt(new (std::nothrow) CScriptEngine(std::move(options)));
}
