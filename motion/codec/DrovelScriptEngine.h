#pragma once
// The codec's script engine host: the item "Drovel" reached only through its
// name (no global members), a new CDrovelObject per engine, no host log
// lines, and script errors to the debugger output.

#include "base/com/RefPtr.h"
#include "common/script/ScriptEngine.h"
#include "motion/codec/DrovelObject.h"

constexpr wchar_t kDrovelItemName[] = L"Drovel";

// `madeObject` receives the device object when the engine is set up; it
// must outlive the host's CreateEngine call.
RefPtr<CScriptEngine> CreateDrovelScriptEngine(const std::wstring& runnerName, ScriptVariables* variables,
                                               RefPtr<CDrovelObject>& madeObject);
