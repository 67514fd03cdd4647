#pragma once
// The running scripts of the process by script id. Codec instances that play
// the same id share one runner: the first AddScript starts it, the last
// ReleaseScript stops it. Used from the codec's message handlers on the
// players' threads; a lock of its own serialises them.

#include "base/com/RefPtr.h"
#include "motion/codec/ScriptRunner.h"

#include <string>

namespace ScriptRegistry {

void AddScript(const std::wstring& name, const std::wstring& text);
// A name that is not registered does nothing.
void ReleaseScript(const std::wstring& name);
// `defaultValue` when no runner has that name.
HRESULT GetVariable(const std::wstring& name, const std::wstring& variable, VARIANT& result,
                    const VARIANT& defaultValue);
// Stops every runner whatever its holders, before the module goes away.
void ReleaseAll();
// The runner of that name (a new reference), or null.
RefPtr<ScriptRunner> Find(const std::wstring& name);

}  // namespace ScriptRegistry
