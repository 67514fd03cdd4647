#include "motion/codec/ScriptVariables.h"

#include "base/com/ComTypes.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

class Value {
public:
    explicit Value(LONG n) { V_VT(m_v.Get()) = VT_I4; V_I4(m_v.Get()) = n; }
    explicit Value(const wchar_t* text) { V_VT(m_v.Get()) = VT_BSTR; V_BSTR(m_v.Get()) = SysAllocString(text); }
    const VARIANT& operator*() const { return *m_v.Get(); }

private:
    ScopedVariant m_v;
};

std::wstring Text(const VARIANT& v)
{
    ScopedVariant text;
    if (FAILED(VariantChangeType(text.Get(), const_cast<VARIANT*>(&v), 0, VT_BSTR)))
        return L"(no text)";
    return std::wstring(V_BSTR(text.Get()), SysStringLen(V_BSTR(text.Get())));
}

std::wstring Read(ScriptVariables& variables, const wchar_t* name)
{
    ScopedVariant result;
    const Value fallback(L"(default)");
    EXPECT_EQ(variables.Get(name, *result.Get(), *fallback), S_OK);
    return Text(*result.Get());
}

TEST(ScriptVariablesTest, EveryReadAdvancesByTheDeltaClampedAtZero)
{
    struct Case {
        const char* what;
        Value value;
        const Value* delta;
        const wchar_t* firstRead;
        const wchar_t* secondRead;
    };
    const Value minusFive(-5), one(1), two(2), notANumber(L"x"), textOne(L"1");
    const Case cases[] = {
        {"negative sum clamps and is stored", Value(3), &minusFive, L"0", L"0"},
        {"positive delta per read", Value(3), &two, L"5", L"7"},
        {"numeric text advances as a number", Value(L"7"), &textOne, L"8", L"9"},
        {"text that is no number is left alone", Value(L"abc"), &one, L"abc", L"abc"},
        {"a delta that is no number adds nothing", Value(4), &notANumber, L"4", L"4"},
        {"no delta", Value(4), nullptr, L"4", L"4"},
        {"the sum stops at the 32-bit end", Value(LONG_MAX), &one, L"2147483647", L"2147483647"},
    };
    for (const Case& c : cases) {
        ScriptVariables variables;
        ASSERT_EQ(variables.Set(L"Frame", *c.value), S_OK) << c.what;
        if (c.delta) {
            ASSERT_EQ(variables.Set(L"Delta-Frame", **c.delta), S_OK) << c.what;
        }
        EXPECT_EQ(Read(variables, L"Frame"), c.firstRead) << c.what;
        EXPECT_EQ(Read(variables, L"Frame"), c.secondRead) << c.what;
    }
}

TEST(ScriptVariablesTest, MissingVariablesAnswerTheDefaultAndNamesAreExact)
{
    ScriptVariables variables;
    EXPECT_EQ(Read(variables, L"Frame"), L"(default)");
    ASSERT_EQ(variables.Set(L"Frame", *Value(2)), S_OK);
    EXPECT_EQ(Read(variables, L"frame"), L"(default)");
    ASSERT_EQ(variables.Set(L"Frame", *Value(L"replaced")), S_OK);
    EXPECT_EQ(Read(variables, L"Frame"), L"replaced");
}

TEST(ScriptVariablesTest, StoresTheValueBehindAReferenceAndRefusesObjects)
{
    ScriptVariables variables;
    // A script variable arrives as a reference to the script's own slot.
    ScopedVariant slot;
    V_VT(slot.Get()) = VT_I4;
    V_I4(slot.Get()) = 6;
    VARIANT reference;
    VariantInit(&reference);
    V_VT(&reference) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&reference) = slot.Get();
    ASSERT_EQ(variables.Set(L"Frame", reference), S_OK);
    V_I4(slot.Get()) = 99;
    EXPECT_EQ(Read(variables, L"Frame"), L"6");

    class Unknown final : public IUnknown {
    public:
        STDMETHODIMP QueryInterface(REFIID, void** out) override { *out = nullptr; return E_NOINTERFACE; }
        STDMETHODIMP_(ULONG) AddRef() override { return 2; }
        STDMETHODIMP_(ULONG) Release() override { return 1; }
    } object;
    VARIANT objectValue;
    VariantInit(&objectValue);
    V_VT(&objectValue) = VT_UNKNOWN;
    V_UNKNOWN(&objectValue) = &object;
    EXPECT_EQ(variables.Set(L"Thing", objectValue), E_INVALIDARG);
    EXPECT_EQ(Read(variables, L"Thing"), L"(default)");
}

}  // namespace
