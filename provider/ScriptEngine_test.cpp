#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "provider/test/ProviderTestSupport.h"
#include "provider/ScrivaneIds.h"
#include "provider/ScrivaneObject.h"
#include "provider/ScrivaneScriptEngine.h"

namespace {

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

class ScriptEngineTest : public ProviderFixture {
protected:
    // A host like the program's whose own lines are collected here.
    RefPtr<CScriptEngine> MakeHost(bool withObject = true, const wchar_t* progId = L"VBScript")
    {
        ScriptEngineOptions options;
        options.itemName = kScrivaneItemName;
        if (withObject)
            options.createObject = [] { return RefPtr<CAutomationObject>::Adopt(new CScrivaneObject()); };
        else
            options.createObject = [] { return RefPtr<CAutomationObject>(); };
        options.log = [this](const std::wstring& line) { m_hostLines.push_back(line); };
        options.engineProgId = progId;
        return RefPtr<CScriptEngine>::Adopt(new CScriptEngine(std::move(options)));
    }

    static LONG RefCount(IUnknown* object)
    {
        object->AddRef();
        return static_cast<LONG>(object->Release());
    }

    std::vector<std::wstring> m_hostLines;
};

TEST_F(ScriptEngineTest, AScriptBuildsTheReplyThroughTheItemAndGlobalNames)
{
    const std::wstring script =
        L"WriteLog \"global code ran\"\r\n"
        L"Sub Update(symbol, a, b, c, d, e)\r\n"
        L"  Scrivane.SetStatus \"ok\"\r\n"
        L"  SetCurrent \"symbol\", symbol\r\n"
        L"  AddDataEntry 1, 2, 2009, 12, 0, 0, 5\r\n"
        L"  Scrivane.AddDataEntry 1, 3, 2009, 6, 0, 0, 7.256\r\n"
        L"  Dim v : v = 3\r\n"
        L"  scrivane.adddataentry 12, 31, 2008, 0, 0, 0, v\r\n"
        L"  ShowNode \"Title\"\r\n"
        L"  Scrivane.HideNode \"Logo\"\r\n"
        L"  WriteLog \"update \" & symbol & \" \" & Len(a)\r\n"
        L"End Sub\r\n";
    // Longer than any fixed call buffer: the request's six strings.
    const std::wstring call = L"Update(\"DAX\", \"" + std::wstring(200, L'q') + L"\", \"\", \"\", \"\", \"\")";

    RefPtr<CScriptEngine> host = CreateScrivaneScriptEngine();
    host->SetScriptText(script);
    ASSERT_TRUE(host->CreateEngine());
    EXPECT_TRUE(host->RunScript());
    host->NotifyScriptObject();
    CXmlNodePtr root = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"response"));
    host->SetResultTree(root.Get());
    EXPECT_TRUE(host->CallSub(call));
    EXPECT_TRUE(host->Close());
    EXPECT_EQ(1, RefCount(static_cast<IActiveScriptSite*>(host.Get()))) << "the closed engine let go of its site";
    host.Reset();

    std::wstring written;
    root->WriteToString(written);
    EXPECT_EQ(L"<response status=\"ok\">\r\n"
              L"<current symbol=\"DAX\">\r\n</current>\r\n"
              L"<data count=\"3\" maxtotaldays=\"39814.250000\" maxvalue=\"7.26\" mintotaldays=\"39811.000000\" minvalue=\"3.00\">\r\n"
              L"<entry day=\"2\" hour=\"12\" minute=\"0\" month=\"1\" second=\"0\" totaldays=\"39813.500000\" value=\"5\" year=\"2009\">\r\n</entry>\r\n"
              L"<entry day=\"3\" hour=\"6\" minute=\"0\" month=\"1\" second=\"0\" totaldays=\"39814.250000\" value=\"7.256\" year=\"2009\">\r\n</entry>\r\n"
              L"<entry day=\"31\" hour=\"0\" minute=\"0\" month=\"12\" second=\"0\" totaldays=\"39811.000000\" value=\"3\" year=\"2008\">\r\n</entry>\r\n"
              L"</data>\r\n"
              L"<scenegraph>\r\n<show>\r\n<![CDATA[Title]]>\r\n</show>\r\n<hide>\r\n<![CDATA[Logo]]>\r\n</hide>\r\n</scenegraph>\r\n"
              L"</response>\r\n",
              written);
    EXPECT_EQ((std::vector<std::wstring>{L"global code ran", L"update DAX 200"}), WindowMessages());
}

TEST_F(ScriptEngineTest, ScriptErrorsReachTheLog)
{
    struct Case {
        const char* what;
        const wchar_t* script;
        const wchar_t* call;
        bool runs;
        bool callSucceeds;
        std::vector<std::wstring> linePrefixes;
    };
    const std::wstring position = L"            : Line ";
    const Case cases[] = {
        {"syntax error", L"Sub Test()\r\n  x = (1 +\r\nEnd Sub\r\n", L"Test", false, false,
         {L"Unknown script error", L"Script Error: Object doesn't support this property or method", position + L"0, Char 0"}},
        {"run-time error", L"Sub Test()\r\n  Dim a\r\n  a = \"abc\" * 2\r\nEnd Sub\r\n", L"Test", true, false,
         {L"Script Error: Type mismatch", position + L"2, Char "}},
        {"undefined routine", L"Sub Test()\r\nEnd Sub\r\n", L"Missing", true, false,
         {L"Script Error: ", position + L"0, Char "}},
        {"filtered type mismatch",
         L"Sub Test()\r\n  Err.Raise 13, \"feed\", \"(Script Error: Type mismatch) in quote\"\r\nEnd Sub\r\n",
         L"Test", true, false, {}},
        // The member answers a bare E_FAIL, so the engine has nothing to tell.
        {"member that fails its call", L"Sub Test()\r\n  AddDataEntry 1, 2, 3, 4, 5, 6\r\nEnd Sub\r\n", L"Test",
         true, false, {L"Unknown script error"}},
        {"member that ignores its call", L"Sub Test()\r\n  SetCurrent \"a\"\r\n  WriteLog \"went on\"\r\nEnd Sub\r\n",
         L"Test", true, true, {}},
    };
    for (const Case& c : cases) {
        m_hostLines.clear();
        RefPtr<CScriptEngine> host = MakeHost();
        host->SetScriptText(c.script);
        ASSERT_TRUE(host->CreateEngine()) << c.what;
        EXPECT_EQ(c.runs, host->RunScript()) << c.what;
        EXPECT_EQ(c.callSucceeds, host->CallSub(c.call)) << c.what;
        EXPECT_TRUE(host->Close()) << c.what;
        ASSERT_EQ(c.linePrefixes.size(), m_hostLines.size()) << c.what << ": " << (m_hostLines.empty() ? L"" : m_hostLines[0]);
        for (size_t i = 0; i < m_hostLines.size(); ++i)
            EXPECT_TRUE(StartsWith(m_hostLines[i], c.linePrefixes[i])) << c.what << ": " << m_hostLines[i];
    }
    EXPECT_EQ(std::vector<std::wstring>{L"went on"}, WindowMessages());
}

TEST_F(ScriptEngineTest, ItemInformationAnswersTheItemNameOnly)
{
    RefPtr<CScriptEngine> host = MakeHost();
    ASSERT_TRUE(host->CreateEngine());
    struct Case { const wchar_t* name; DWORD mask; HRESULT expected; bool unknown; bool typeInfo; };
    const Case cases[] = {
        {L"Scrivane", SCRIPTINFO_IUNKNOWN, S_OK, true, false},
        {L"sCRIVANE", SCRIPTINFO_IUNKNOWN, S_OK, true, false},
        {L"Scrivane", SCRIPTINFO_ITYPEINFO, S_OK, false, true},
        {L"Scrivane", SCRIPTINFO_IUNKNOWN | SCRIPTINFO_ITYPEINFO, S_OK, true, false},
        {L"Scrivan", SCRIPTINFO_IUNKNOWN, TYPE_E_ELEMENTNOTFOUND, false, false},
        {L"Drovel", SCRIPTINFO_IUNKNOWN | SCRIPTINFO_ITYPEINFO, TYPE_E_ELEMENTNOTFOUND, false, false},
        {L"Scrivane", 0, TYPE_E_ELEMENTNOTFOUND, false, false},
    };
    for (const Case& c : cases) {
        RefPtr<IUnknown> unknown;
        RefPtr<ITypeInfo> typeInfo;
        EXPECT_EQ(c.expected, host->GetItemInfo(c.name, c.mask, unknown.Put(), typeInfo.Put())) << c.name << c.mask;
        EXPECT_EQ(c.unknown, static_cast<bool>(unknown)) << c.name << c.mask;
        EXPECT_EQ(c.typeInfo, static_cast<bool>(typeInfo)) << c.name << c.mask;
        if (unknown) {
            EXPECT_EQ(static_cast<IUnknown*>(static_cast<IDispatch*>(host->ScriptObject())), unknown.Get());
        }
    }
    EXPECT_EQ(E_INVALIDARG, host->GetItemInfo(L"Scrivane", SCRIPTINFO_IUNKNOWN, nullptr, nullptr));
    EXPECT_TRUE(host->Close());
}

TEST_F(ScriptEngineTest, AFailedSetUpLeavesNothingOpen)
{
    RefPtr<CScriptEngine> noObject = MakeHost(false);
    EXPECT_FALSE(noObject->CreateEngine());
    EXPECT_FALSE(noObject->Engine());
    EXPECT_EQ(1, RefCount(static_cast<IActiveScriptSite*>(noObject.Get()))) << "the engine was closed and released";
    EXPECT_FALSE(noObject->RunScript());
    EXPECT_FALSE(noObject->CallSub(L"Test"));
    EXPECT_FALSE(noObject->Close());

    RefPtr<CScriptEngine> noEngine = MakeHost(true, L"NoSuch.ScriptEngine");
    EXPECT_FALSE(noEngine->CreateEngine());
    ASSERT_EQ(3u, m_hostLines.size());
    EXPECT_TRUE(StartsWith(m_hostLines[0], L"Failed creating the script object, hr = 0x")) << m_hostLines[0];
    EXPECT_EQ(L"Null Engine", m_hostLines[1]);
    EXPECT_TRUE(StartsWith(m_hostLines[2], L"Failed to create Script Engine hr = 0x8")) << m_hostLines[2];
    EXPECT_EQ(1, RefCount(static_cast<IActiveScriptSite*>(noEngine.Get())));
}

TEST_F(ScriptEngineTest, SiteInterfaces)
{
    RefPtr<CScriptEngine> host = MakeHost();
    struct Case { const IID* iid; bool answered; };
    const Case cases[] = {
        {&IID_IUnknown, true}, {&IID_IActiveScriptSite, true}, {&IID_IActiveScriptSiteWindow, true},
        {&IID_IDispatch, false}, {&IID_IActiveScriptSiteInterruptPoll, true},
    };
    for (const Case& c : cases) {
        RefPtr<IUnknown> part;
        EXPECT_EQ(c.answered ? S_OK : E_NOINTERFACE, host->QueryInterface(*c.iid, reinterpret_cast<void**>(part.Put())));
        EXPECT_EQ(c.answered, static_cast<bool>(part));
    }
    // An engine that polls is told to stop once the host is interrupted.
    EXPECT_EQ(S_OK, host->QueryContinue());
    host->Interrupt();
    EXPECT_EQ(S_FALSE, host->QueryContinue());
    HWND window = reinterpret_cast<HWND>(1);
    EXPECT_EQ(E_FAIL, host->GetWindow(&window));
    EXPECT_EQ(E_FAIL, host->EnableModeless(TRUE));
    LCID locale = 0;
    EXPECT_EQ(E_NOTIMPL, host->GetLCID(&locale));
}

}  // namespace
