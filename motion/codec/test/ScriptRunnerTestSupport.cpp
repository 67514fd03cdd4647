#include "motion/codec/test/ScriptRunnerTestSupport.h"

#include "base/com/ComTypes.h"

std::wstring ReadVariableText(ScriptRunner& runner, const std::wstring& name)
{
    ScopedVariant none;
    V_VT(none.Get()) = VT_ERROR;
    V_ERROR(none.Get()) = DISP_E_PARAMNOTFOUND;
    ScopedVariant value;
    if (FAILED(runner.GetVariable(name, *value.Get(), *none.Get())) || V_VT(value.Get()) == VT_ERROR)
        return L"(none)";
    ScopedVariant text;
    if (FAILED(VariantChangeType(text.Get(), value.Get(), 0, VT_BSTR)))
        return L"(no text)";
    return std::wstring(V_BSTR(text.Get()), SysStringLen(V_BSTR(text.Get())));
}

bool WaitForVariable(ScriptRunner& runner, const std::wstring& name, const std::wstring& expected,
                     DWORD boundMs)
{
    const ULONGLONG deadline = GetTickCount64() + boundMs;
    while (ReadVariableText(runner, name) != expected) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(5);
    }
    return true;
}
