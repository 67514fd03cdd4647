#pragma once
// One script error as the engine reports it, and the usual log lines for it.

#include <windows.h>

#include <string>

#include "base/errors/FailureReport.h"

struct ScriptError {
    std::wstring description;   // empty when the engine gave none
    std::wstring source;        // e.g. the engine's "compilation error" source
    bool hasPosition = false;
    ULONG line = 0;             // as the engine counts them (from 0)
    LONG character = 0;
};

// "Script Error: <description>" and its position line, or "Unknown script
// error" when the engine gave no description.
void WriteScriptErrorLines(const ScriptError& error, const LogSink& log);
