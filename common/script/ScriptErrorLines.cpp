#include "common/script/ScriptError.h"

void WriteScriptErrorLines(const ScriptError& error, const LogSink& log)
{
    if (!log)
        return;
    if (error.description.empty()) {
        log(L"Unknown script error");
        return;
    }
    log(L"Script Error: " + error.description);
    if (error.hasPosition)
        log(L"            : Line " + std::to_wstring(error.line) + L", Char " + std::to_wstring(error.character));
}
