#pragma once
// The provider program's script engine host: the item "Scrivane" with its
// members also as global names, a new CScrivaneObject per engine, and the
// program log.

#include "base/com/RefPtr.h"
#include "common/script/ScriptEngine.h"

constexpr wchar_t kScrivaneItemName[] = L"Scrivane";

RefPtr<CScriptEngine> CreateScrivaneScriptEngine();
