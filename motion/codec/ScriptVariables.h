#pragma once
// The global variables of one running script, shared by the script's thread
// (through the device object) and the codec instances that play it. Every
// read of a variable also advances it by the variable named "Delta-" + its
// name, clamped at 0, which is how a script plays the source movie forward,
// holds it or runs it backward.

#include "base/win/CriticalSection.h"

#include <map>
#include <string>
#include <windows.h>
#include <oaidl.h>

// VariantCopy and VariantCopyInd, whose declarations lack the const of the
// source they only read.
inline HRESULT CopyVariant(VARIANT& to, const VARIANT& from)
{
    return VariantCopy(&to, const_cast<VARIANT*>(&from));
}
inline HRESULT CopyVariantIndirect(VARIANT& to, const VARIANT& from)
{
    return VariantCopyInd(&to, const_cast<VARIANT*>(&from));
}

class ScriptVariables {
public:
    ScriptVariables() = default;
    ~ScriptVariables();
    ScriptVariables(const ScriptVariables&) = delete;
    ScriptVariables& operator=(const ScriptVariables&) = delete;

    // Stores a copy of the value (references followed), inserting the name
    // when absent. Objects are refused with E_INVALIDARG: they belong to the
    // script's thread and cannot be read from the player's.
    HRESULT Set(const std::wstring& name, const VARIANT& value);
    // `result` (cleared first) receives the value after the delta rule, or
    // a copy of `defaultValue` when the variable does not exist.
    HRESULT Get(const std::wstring& name, VARIANT& result, const VARIANT& defaultValue);

private:
    CriticalSection m_lock;
    std::map<std::wstring, VARIANT> m_values;
};
