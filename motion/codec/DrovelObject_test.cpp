#include "motion/codec/DrovelObject.h"

#include "base/com/ComTypes.h"
#include "motion/codec/DrovelIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Arguments in script order, each a VT_I4 or a VT_BSTR.
struct Arg {
    bool isText;
    LONG number;
    const wchar_t* text;
};
Arg N(LONG n) { return {false, n, nullptr}; }
Arg T(const wchar_t* t) { return {true, 0, t}; }

struct Call {
    HRESULT hr = E_FAIL;
    ScopedVariant result;
    UINT argumentError = 99;
    std::wstring description;
    std::wstring source;
    SCODE scode = 1;
};

void Invoke(IDispatch& object, DISPID member, const std::vector<Arg>& args, Call& call,
            bool wantResult = true, WORD flags = DISPATCH_METHOD, REFIID iid = IID_NULL)
{
    std::vector<VARIANT> block(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        VARIANT& v = block[args.size() - 1 - i];   // the block holds them last first
        VariantInit(&v);
        if (args[i].isText) {
            V_VT(&v) = VT_BSTR;
            V_BSTR(&v) = SysAllocString(args[i].text);
        } else {
            V_VT(&v) = VT_I4;
            V_I4(&v) = args[i].number;
        }
    }
    DISPPARAMS params = {block.empty() ? nullptr : block.data(), nullptr, static_cast<UINT>(block.size()), 0};
    EXCEPINFO exception = {};
    call.hr = object.Invoke(member, iid, 0, flags, &params, wantResult ? call.result.Get() : nullptr,
                            &exception, &call.argumentError);
    if (exception.bstrDescription)
        call.description = exception.bstrDescription;
    if (exception.bstrSource)
        call.source = exception.bstrSource;
    call.scode = exception.scode;
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    for (VARIANT& v : block)
        VariantClear(&v);
}

class DrovelObjectTest : public ::testing::Test {
protected:
    // Runner objects made by the test, named for this process only: the
    // object opens them by name.
    void SetUp() override
    {
        m_stop.Reset(CreateEventW(nullptr, TRUE, FALSE, (m_runner + L"-Stop").c_str()));
        m_timer.Reset(CreateWaitableTimerW(nullptr, FALSE, (m_runner + L"-Timer").c_str()));
        ASSERT_TRUE(m_stop && m_timer);
        m_object = RefPtr<CDrovelObject>::Adopt(new CDrovelObject(m_runner, &m_variables));
    }
    void TearDown() override { EXPECT_EQ(m_object.Detach()->Release(), 0u); }

    const std::wstring m_runner = L"drvl-object-test-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring m_stopName = m_runner + L"-Stop";
    UniqueKernelHandle m_stop;
    UniqueKernelHandle m_timer;
    ScriptVariables m_variables;
    RefPtr<CDrovelObject> m_object;
};

TEST_F(DrovelObjectTest, DispatchRefusesOtherInterfacesMembersAndCallKinds)
{
    Call call;
    Invoke(*m_object, kTrace, {T(L"x")}, call, true, DISPATCH_METHOD, IID_IDispatch);
    EXPECT_EQ(call.hr, DISP_E_UNKNOWNINTERFACE);
    for (const DISPID member : {DISPID(0), DISPID(21)}) {
        Call c;
        Invoke(*m_object, member, {}, c);
        EXPECT_EQ(c.hr, DISP_E_MEMBERNOTFOUND) << member;
    }
    Call put;
    Invoke(*m_object, kGetScreenWidth, {}, put, true, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(put.hr, DISP_E_MEMBERNOTFOUND);
}

TEST_F(DrovelObjectTest, ArgumentCountsArePerMember)
{
    struct Case { DISPID member; std::vector<Arg> args; bool wantResult; };
    const Case cases[] = {
        {kOpenPort, {N(1)}, true},
        {kSendReceive, {N(1), T(L"PING"), T(L"OK")}, true},
        {kGetResponse, {N(1), N(0), N(0)}, true},
        {kGetResponse, {N(1), N(0)}, false},   // a reply must be asked for
        {kPause, {}, true},
        {kSetGlobal, {T(L"x")}, true},
        {kGetScreenWidth, {N(1)}, true},
        {kSetNamedEvent, {T(L"x")}, true},
    };
    for (const Case& c : cases) {
        Call call;
        Invoke(*m_object, c.member, c.args, call, c.wantResult);
        EXPECT_EQ(call.hr, DISP_E_BADPARAMCOUNT) << c.member << " with " << c.args.size();
    }
}

TEST_F(DrovelObjectTest, PortNumbersOutsideOneToNineRaiseTheMembersError)
{
    struct Case { DISPID member; std::vector<Arg> args; const wchar_t* source; };
    const Case cases[] = {
        {kOpenPort, {N(0), N(9600)}, L"Drovel OpenPort"},
        {kSendReceive, {N(10), T(L"PING"), T(L"OK"), N(0)}, L"Drovel SendReceive"},
        {kSendReceiveCount, {N(-1), T(L"PING"), N(2), N(0)}, L"Drovel SendReceiveCount"},
        {kGetResponse, {N(0), N(0)}, L"Drovel SendReceiveCount"},
        {kReceiveProcessor, {N(0), T(L""), T(L"0D"), T(L"")}, L"Drovel ReceiveProcessor"},
        {kReceiveBufferEmpty, {N(0)}, L"Drovel ReceiveBufferEmpty"},
        {kReceiveMessage, {N(10)}, L"Drovel ReceiveBufferEmpty"},
        {kMarkTime, {N(0)}, L"Drovel ReceiveBufferEmpty"},
        {kReceiveTimeDelta, {N(0)}, L"Drovel ReceiveTimeDelta"},
    };
    for (const Case& c : cases) {
        Call call;
        Invoke(*m_object, c.member, c.args, call);
        EXPECT_EQ(call.hr, DISP_E_EXCEPTION) << c.member;
        EXPECT_EQ(call.description, L"Invalid Port Number") << c.member;
        EXPECT_EQ(call.source, c.source) << c.member;
        EXPECT_EQ(call.scode, 0) << c.member;
    }
}

TEST_F(DrovelObjectTest, TheLastBadArgumentIsReportedBeforeThePort)
{
    struct Case { std::vector<Arg> args; UINT blockPosition; };
    const Case cases[] = {
        {{T(L"one"), T(L"PING"), T(L"OK"), T(L"flags")}, 0},   // flags: the last argument
        {{T(L"one"), T(L"PING"), T(L"OK"), N(0)}, 3},          // only the port
    };
    for (const Case& c : cases) {
        Call call;
        Invoke(*m_object, kSendReceive, c.args, call);
        EXPECT_EQ(call.hr, DISP_E_TYPEMISMATCH);
        EXPECT_EQ(call.argumentError, c.blockPosition);
    }
}

TEST_F(DrovelObjectTest, MembersWithoutADeviceAnswerTheirEmptyValues)
{
    struct Case { DISPID member; std::vector<Arg> args; const wchar_t* text; };
    const Case cases[] = {
        {kReceiveBufferEmpty, {N(3)}, L"0"},
        {kReceiveMessage, {N(3)}, L""},
        {kReceiveTimeDelta, {N(3)}, L"0"},
        {kGetResponse, {N(3), N(2)}, L""},
        {kIsEventSet, {T(L"drvl no such event")}, L"-1"},
        {kIsEventSet, {T(m_stopName.c_str())}, L"0"},
        {kOpenPort, {N(3), N(1234)}, L"1"},   // baud rate not supported
    };
    for (const Case& c : cases) {
        Call call;
        Invoke(*m_object, c.member, c.args, call);
        ASSERT_EQ(call.hr, S_OK) << c.member;
        ScopedVariant text;
        ASSERT_EQ(VariantChangeType(text.Get(), call.result.Get(), 0, VT_BSTR), S_OK);
        EXPECT_STREQ(V_BSTR(text.Get()), c.text) << c.member;
    }
}

TEST_F(DrovelObjectTest, VariablesAreSharedWithTheStoreAndGetGlobalAnswersOnlyTexts)
{
    Call set;
    Invoke(*m_object, kSetGlobal, {T(L"Frame"), N(5)}, set);
    ASSERT_EQ(set.hr, S_OK);
    Call setText;
    Invoke(*m_object, kSetGlobal, {T(L"Name"), T(L"clip")}, setText);
    ASSERT_EQ(setText.hr, S_OK);
    Call number, text;
    Invoke(*m_object, kGetGlobal, {T(L"Frame")}, number);
    Invoke(*m_object, kGetGlobal, {T(L"Name")}, text);
    EXPECT_STREQ(V_BSTR(number.result.Get()), L"");
    EXPECT_STREQ(V_BSTR(text.result.Get()), L"clip");
    ScopedVariant stored, fallback;
    ASSERT_EQ(m_variables.Get(L"Frame", *stored.Get(), *fallback.Get()), S_OK);
    EXPECT_EQ(V_I4(stored.Get()), 5);
}

TEST_F(DrovelObjectTest, AnObjectValueCannotBeStored)
{
    VARIANT block[2];
    VariantInit(&block[0]);
    VariantInit(&block[1]);
    V_VT(&block[0]) = VT_DISPATCH;                       // the value (last)
    V_DISPATCH(&block[0]) = static_cast<IDispatch*>(m_object.Get());
    V_VT(&block[1]) = VT_BSTR;                            // the name
    V_BSTR(&block[1]) = SysAllocString(L"Thing");
    DISPPARAMS params = {block, nullptr, 2, 0};
    EXCEPINFO exception = {};
    EXPECT_EQ(m_object->Invoke(kSetGlobal, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &exception, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_STREQ(exception.bstrDescription, L"Error Setting Global Variable");
    EXPECT_EQ(exception.scode, E_FAIL);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    VariantClear(&block[1]);
}

TEST_F(DrovelObjectTest, EveryMemberFailsOnceTheRunnerIsStopping)
{
    SetEvent(m_stop.Get());
    const ULONGLONG start = GetTickCount64();
    for (const DISPID member : {kPause, kTrace}) {
        Call call;
        Invoke(*m_object, member, {N(60000)}, call);
        EXPECT_EQ(call.hr, E_ABORT) << member;
    }
    Call width;
    Invoke(*m_object, kGetScreenWidth, {}, width);
    EXPECT_EQ(width.hr, E_ABORT);
    EXPECT_LT(GetTickCount64() - start, 5000u);
}

TEST_F(DrovelObjectTest, ScriptTimerIsArmedAndSignalsAtOnce)
{
    Call call;
    Invoke(*m_object, kSetScriptTimer, {N(0)}, call);
    ASSERT_EQ(call.hr, S_OK);
    EXPECT_EQ(WaitForSingleObject(m_timer.Get(), 5000), WAIT_OBJECT_0);
}

TEST_F(DrovelObjectTest, NamesComeFromTheTypeLibrary)
{
    UINT count = 0;
    ASSERT_EQ(m_object->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    struct Case { const wchar_t* name; DISPID id; };
    const Case cases[] = {{L"OpenPort", kOpenPort}, {L"receivemessage", kReceiveMessage},
                          {L"SetNamedEvent", kSetNamedEvent}};
    for (const Case& c : cases) {
        LPOLESTR name = const_cast<LPOLESTR>(c.name);
        DISPID id = 0;
        ASSERT_EQ(m_object->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK) << c.name;
        EXPECT_EQ(id, c.id);
    }
    LPOLESTR name = const_cast<LPOLESTR>(L"OpenPort");
    DISPID id = 0;
    EXPECT_EQ(m_object->GetIDsOfNames(IID_IDispatch, &name, 1, 0, &id), E_INVALIDARG);
}

}  // namespace
