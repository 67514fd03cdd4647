#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "common/automation/DispatchArguments.h"
#include "common/script/ScriptEngine.h"

namespace {

constexpr GUID kProbeLibrary = {0x9BFEA394, 0x5ABA, 0x4CDA, {0xBE, 0xDE, 0x2B, 0x3D, 0xDA, 0xED, 0x99, 0x20}};
constexpr GUID kProbeDispatch = {0x683C33B6, 0x088B, 0x4397, {0xA5, 0x08, 0xDD, 0xBB, 0xB4, 0x00, 0x64, 0x51}};
constexpr GUID kProbeEvents = {0x5A28C08F, 0x01E3, 0x4F34, {0x95, 0xA7, 0x6C, 0x82, 0x50, 0x49, 0x6D, 0x2B}};
constexpr GUID kProbeType = {0x48ADC7B8, 0xA95A, 0x43CB, {0x94, 0x1A, 0xCA, 0xCE, 0x74, 0x3B, 0x41, 0xA2}};

AutomationIdentity ProbeIdentity(const wchar_t* file)
{
    return {{kProbeLibrary, 2, 0, file}, kProbeType, kProbeDispatch, kProbeEvents};
}

// Records what the script passes to its one member.
class CProbeObject final : public CAutomationObject {
public:
    CProbeObject(const wchar_t* file, std::vector<std::wstring>& records, std::vector<std::wstring>& log)
        : CAutomationObject(ProbeIdentity(file), [&log](const std::wstring& line) { log.push_back(line); }),
          m_records(records)
    {
    }

    STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (member != 1 || !params)
            return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        std::wstring text;
        const HRESULT hr = DispatchArguments(*params).Text(0, text);
        if (SUCCEEDED(hr))
            m_records.push_back(text);
        return hr;
    }

    void NotifyScriptObject() override { m_records.push_back(L"(notified)"); }

private:
    std::vector<std::wstring>& m_records;
};

class ScriptHostTest : public ::testing::Test {
protected:
    // A host in the codec's manner: its own item name, no global members,
    // errors to a reporter of its own, no host lines.
    RefPtr<CScriptEngine> MakeHost(DWORD flags, const wchar_t* file = L"ScriptProbe.tlb")
    {
        ScriptEngineOptions options;
        options.itemName = L"Probe";
        options.itemFlags = flags;
        options.createObject = [this, file] {
            return RefPtr<CAutomationObject>::Adopt(new CProbeObject(file, m_records, m_objectLog));
        };
        options.reportError = [this](const ScriptError& error) { m_errors.push_back(error); };
        return RefPtr<CScriptEngine>::Adopt(new CScriptEngine(std::move(options)));
    }

    std::vector<std::wstring> m_records;
    std::vector<std::wstring> m_objectLog;
    std::vector<ScriptError> m_errors;
};

constexpr DWORD kItemOnly = SCRIPTITEM_ISVISIBLE | SCRIPTITEM_ISSOURCE;

TEST_F(ScriptHostTest, ItemNameAndFlagsDecideHowScriptsReachTheObject)
{
    struct Case { DWORD flags; const wchar_t* call; bool succeeds; const wchar_t* recorded; };
    const Case cases[] = {
        {kItemOnly, L"Probe.Record(\"by item\")", true, L"by item"},
        {kItemOnly, L"Record(\"global\")", false, nullptr},
        {kItemOnly | SCRIPTITEM_GLOBALMEMBERS, L"Record(\"global\")", true, L"global"},
        {kItemOnly | SCRIPTITEM_GLOBALMEMBERS, L"probe.record(\"any case\")", true, L"any case"},
    };
    for (const Case& c : cases) {
        m_records.clear();
        m_errors.clear();
        RefPtr<CScriptEngine> host = MakeHost(c.flags);
        ASSERT_TRUE(host->CreateEngine());
        EXPECT_TRUE(host->RunScript());
        EXPECT_EQ(c.succeeds, host->CallSub(c.call)) << c.call;
        EXPECT_EQ(c.succeeds ? 0u : 1u, m_errors.size()) << c.call;
        EXPECT_EQ(c.recorded ? std::vector<std::wstring>{c.recorded} : std::vector<std::wstring>{}, m_records) << c.call;
        EXPECT_TRUE(host->Close());
    }
}

TEST_F(ScriptHostTest, ErrorsGoToTheReporterWithTheirPosition)
{
    RefPtr<CScriptEngine> host = MakeHost(kItemOnly);
    host->SetScriptText(L"Probe.Record \"global\"\r\nSub Fail()\r\n  Dim a\r\n  a = \"x\" * 2\r\nEnd Sub\r\n");
    ASSERT_TRUE(host->CreateEngine());
    EXPECT_TRUE(host->RunScript());
    host->NotifyScriptObject();
    EXPECT_FALSE(host->CallSub(L"Fail"));
    ASSERT_EQ(1u, m_errors.size());
    EXPECT_EQ(L"Type mismatch", m_errors[0].description);
    EXPECT_TRUE(m_errors[0].hasPosition);
    EXPECT_EQ(3u, m_errors[0].line);
    EXPECT_EQ((std::vector<std::wstring>{L"global", L"(notified)"}), m_records);
    EXPECT_TRUE(host->Close());
}

TEST(ScriptErrorLines, WhatTheLogShows)
{
    struct Case { ScriptError error; std::vector<std::wstring> lines; };
    const Case cases[] = {
        {{L"Type mismatch", L"Microsoft VBScript runtime error", true, 3, 2},
         {L"Script Error: Type mismatch", L"            : Line 3, Char 2"}},
        {{L"", L"Microsoft VBScript compilation error", true, 0, 12},
         {L"Unknown script error"}},
        {{L"Overflow", L"", false, 0, 0}, {L"Script Error: Overflow"}},
        {{L"", L"", true, 4, 1}, {L"Unknown script error"}},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> lines;
        WriteScriptErrorLines(c.error, [&lines](const std::wstring& line) { lines.push_back(line); });
        EXPECT_EQ(c.lines, lines);
    }
}

TEST_F(ScriptHostTest, AnObjectWithoutItsTypeLibraryStillExists)
{
    RefPtr<CProbeObject> object = RefPtr<CProbeObject>::Adopt(new CProbeObject(L"NoSuchProbe.tlb", m_records, m_objectLog));
    EXPECT_EQ(std::vector<std::wstring>{L"Failed to load type library"}, m_objectLog);
    RefPtr<ITypeInfo> info;
    EXPECT_TRUE(FAILED(object->GetTypeInfo(0, 0, info.Put())));
    EXPECT_FALSE(info);
    LPOLESTR name = const_cast<LPOLESTR>(L"Record");
    DISPID id = 0;
    EXPECT_TRUE(FAILED(object->GetIDsOfNames(IID_NULL, &name, 1, 0, &id)));
    EXPECT_TRUE(FAILED(object->GetClassInfo(info.Put())));
    EXPECT_FALSE(info);
    EXPECT_EQ(2u, m_objectLog.size()) << "logged once per load";

    // Through the engine: the item exists, its members cannot be found.
    RefPtr<CScriptEngine> host = MakeHost(kItemOnly, L"NoSuchProbe.tlb");
    ASSERT_TRUE(host->CreateEngine());
    EXPECT_TRUE(host->RunScript());
    EXPECT_FALSE(host->CallSub(L"Probe.Record(\"x\")"));
    EXPECT_TRUE(m_records.empty());
    EXPECT_TRUE(host->Close());
}

// Registers the probe library for the test's duration only.
class ScopedProbeRegistration {
public:
    ScopedProbeRegistration()
    {
        wchar_t path[MAX_PATH + 1] = {};
        if (!GetFullPathNameW(L"ScriptProbe.tlb", MAX_PATH, path, nullptr))
            return;
        RefPtr<ITypeLib> library;
        if (SUCCEEDED(LoadTypeLibEx(path, REGKIND_NONE, library.Put())))
            m_registered = SUCCEEDED(RegisterTypeLib(library.Get(), path, nullptr));
    }
    ScopedProbeRegistration(const ScopedProbeRegistration&) = delete;
    ScopedProbeRegistration& operator=(const ScopedProbeRegistration&) = delete;
    ~ScopedProbeRegistration()
    {
        if (m_registered)
            UnRegisterTypeLib(kProbeLibrary, 2, 0, 0, SYS_WIN32);
    }
    bool Registered() const { return m_registered; }

private:
    bool m_registered = false;
};

TEST(TypeInfoLoader, TheRegisteredLibraryComesBeforeTheFile)
{
    std::vector<std::wstring> log;
    const auto sink = [&log](const std::wstring& line) { log.push_back(line); };
    const TypeLibraryRef missingFile = {kProbeLibrary, 2, 0, L"NoSuchProbe.tlb"};
    RefPtr<ITypeInfo> info;
    {
        ScopedProbeRegistration registration;
        ASSERT_TRUE(registration.Registered());
        EXPECT_EQ(S_OK, LoadTypeInfo(missingFile, kProbeDispatch, 0, info.Put(), sink));
        EXPECT_TRUE(info);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(FAILED(LoadTypeInfo(missingFile, kProbeDispatch, 0, info.Put(), sink))) << "registration removed";
    EXPECT_EQ(std::vector<std::wstring>{L"Failed to load type library"}, log);
}

// An object whose type library exists nowhere and whose log, once armed,
// cannot take a line.
class CUntypedObject final : public CAutomationObject {
public:
    explicit CUntypedObject(const bool& logThrows)
        : CAutomationObject({{kUnknownLibrary, 1, 0, L"NoSuchLibrary.tlb"}, kProbeType, kProbeDispatch, kProbeEvents},
                            [&logThrows](const std::wstring&) {
                                if (logThrows)
                                    throw std::bad_alloc();
                            })
    {
    }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    static constexpr GUID kUnknownLibrary = {0x1F0C7E2A, 0x3B7D, 0x4E51, {0x9A, 0x40, 0x6D, 0x2C, 0x8B, 0x17, 0x55, 0x03}};
};

TEST(ScriptHostBoundaries, NoExceptionLeavesTheEngineSiteOrTheObject)
{
    bool logThrows = false;
    ScriptEngineOptions options;
    options.itemName = L"Probe";
    options.createObject = [&logThrows] { return RefPtr<CAutomationObject>::Adopt(new CUntypedObject(logThrows)); };
    RefPtr<CScriptEngine> host = RefPtr<CScriptEngine>::Adopt(new CScriptEngine(std::move(options)));
    ASSERT_TRUE(host->CreateEngine());
    logThrows = true;
    ITypeInfo* info = nullptr;
    EXPECT_TRUE(FAILED(host->GetItemInfo(L"Probe", SCRIPTINFO_ITYPEINFO, nullptr, &info)));
    EXPECT_EQ(info, nullptr);
    CAutomationObject* object = host->ScriptObject();
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(FAILED(object->GetTypeInfo(0, 0, &info)));
    EXPECT_TRUE(FAILED(object->GetClassInfo(&info)));
    EXPECT_TRUE(host->Close());
}

}  // namespace
