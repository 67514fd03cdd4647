#include "provider/ScrivaneScriptEngine.h"

#include <new>

#include "provider/ProgramLog.h"
#include "provider/ScrivaneObject.h"

RefPtr<CScriptEngine> CreateScrivaneScriptEngine()
{
    ScriptEngineOptions options;
    options.itemName = kScrivaneItemName;
    options.createObject = [] {
        return RefPtr<CAutomationObject>::Adopt(new (std::nothrow) CScrivaneObject());
    };
    options.log = LogText;
    return RefPtr<CScriptEngine>::Adopt(new CScriptEngine(std::move(options)));
}
