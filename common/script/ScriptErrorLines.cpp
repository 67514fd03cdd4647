#include "common/script/ScriptError.h"

void WriteScriptErrorLines(const ScriptError& error, const LogSink& log)
{
    if (!log)
        return;
    // Compile errors come without a description but name their source, which
    // still tells the user more than "unknown".
    const std::wstring& what = error.description.empty() ? error.source : error.description;
    if (what.empty()) {
        log(L"Unknown script error");
        return;
    }
    log(L"Script Error: " + what);
    if (error.hasPosition)
        log(L"            : Line " + std::to_wstring(error.line) + L", Char " + std::to_wstring(error.character));
}
