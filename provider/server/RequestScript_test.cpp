#include "provider/server/test/ServerTestSupport.h"  // first: winsock2.h before windows.h

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/com/ThreadClassCache.h"
#include "common/providerwire/ProviderFrame.h"
#include "provider/ScrivaneIds.h"
#include "provider/test/ProviderTestSupport.h"
#include "provider/server/RequestScript.h"
#include "provider/server/SocketListener.h"

namespace {

const wchar_t kEchoScript[] =
    L"Dim runs\r\n"
    L"runs = runs + 1\r\n"
    L"Sub GetHistorical(symbol, kind, interval, range1, range2, nodename)\r\n"
    L"  SetStatus symbol\r\n"
    L"  SetDataAttribute \"runs\", runs\r\n"
    L"  WriteLog \"served \" & nodename\r\n"
    L"End Sub\r\n";

std::string Frame(const std::wstring& symbol, const std::wstring& extra = L"")
{
    CXmlNodePtr command = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"command"));
    command->SetAttribute(L"cmd", L"historical");
    CXmlNode* params = new CXmlNode(command.Get(), L"params");
    params->SetAttribute(L"symbol", symbol.c_str());
    for (const wchar_t* name : {L"type", L"interval", L"range1", L"range2"})
        params->SetAttribute(name, L"x");
    params->SetAttribute(L"nodename", L"Chart1");
    if (!extra.empty())
        params->SetAttribute(L"sub", extra.c_str());
    std::wstring text;
    command->WriteToString(text);
    return EncodeProviderFrame(text);
}

// The reply's root, decoded from its frame.
CXmlNodePtr ReplyRoot(const std::string& frame)
{
    CXmlNodePtr container = frame.size() < 2 ? nullptr : ParseProviderPayload(frame.data() + 1, frame.size() - 2);
    return CXmlNodePtr::Adopt(container ? container->FindChild(L"response", 0) : nullptr);
}

class RequestScriptTest : public ProviderFixture {
protected:
    std::string Exchange(const std::string& frame)
    {
        CSocketListener listener(MakeScriptRunner([this] { return m_script; }, m_timeLimitMs));
        EXPECT_TRUE(listener.StartListening(0));
        std::string reply;
        Serve([&] {
            Client client(static_cast<unsigned short>(listener.Port()));
            client.Send(frame);
            reply = client.Read(1);
        });
        return reply;
    }

    std::wstring m_script = kEchoScript;
    unsigned long m_timeLimitMs = kScriptTimeLimitMs;
};

std::wstring StatusOf(const CXmlNodePtr& response)
{
    std::wstring status = L"(none)";
    if (response)
        response->GetAttributeString(L"status", status);
    return status;
}

TEST_F(RequestScriptTest, RequestValuesArriveAsDataNeverAsScript)
{
    const std::wstring values[] = {
        L"MSFT",
        L"a\"b",
        L"\"): WriteLog(\"injected",
        L"x\r\nWriteLog \"injected\"\r\n",
        L"a:WriteLog \"injected\"",
        L"' rem",
        L"tab\there",
        L"\u00e9\u20ac",
    };
    for (const std::wstring& value : values) {
        WindowMessages();
        CXmlNodePtr response = ReplyRoot(Exchange(Frame(value)));
        ASSERT_TRUE(response);
        std::wstring status;
        EXPECT_TRUE(response->GetAttributeString(L"status", status));
        EXPECT_EQ(value, status);
        const std::vector<std::wstring> log = WindowMessages();
        EXPECT_EQ(0, std::count(log.begin(), log.end(), L"injected"));
        EXPECT_EQ(1, std::count(log.begin(), log.end(), L"served Chart1"));
    }
}

TEST_F(RequestScriptTest, EveryRequestRunsTheCurrentScriptInAFreshEngine)
{
    for (int i = 0; i < 2; ++i) {
        CXmlNodePtr response = ReplyRoot(Exchange(Frame(L"A")));
        ASSERT_TRUE(response);
        std::wstring written;
        response->WriteToString(written);
        EXPECT_NE(std::wstring::npos, written.find(L"runs=\"1\"")) << written;
    }
    m_script = L"Sub GetHistorical(a, b, c, d, e, f)\r\n  SetStatus \"changed\"\r\nEnd Sub\r\n";
    CXmlNodePtr response = ReplyRoot(Exchange(Frame(L"A")));
    ASSERT_TRUE(response);
    std::wstring status;
    response->GetAttributeString(L"status", status);
    EXPECT_EQ(L"changed", status);
}

TEST_F(RequestScriptTest, WithTheProgramsClassCacheEveryRequestStillGetsAFreshEngine)
{
    const CThreadClassCache cache;
    // A global the previous request's routine made would be seen here.
    m_script = L"Dim runs\r\n"
               L"runs = runs + 1\r\n"
               L"Sub GetHistorical(a, b, c, d, e, f)\r\n"
               L"  If IsEmpty(leftOver) Then SetStatus \"fresh\" Else SetStatus \"leaked\"\r\n"
               L"  SetDataAttribute \"runs\", runs\r\n"
               L"  ExecuteGlobal \"leftOver = 1\"\r\n"
               L"End Sub\r\n";
    for (int i = 0; i < 3; ++i) {
        CXmlNodePtr response = ReplyRoot(Exchange(Frame(L"A")));
        ASSERT_TRUE(response);
        std::wstring written;
        response->WriteToString(written);
        EXPECT_EQ(L"fresh", StatusOf(response)) << "request " << i;
        EXPECT_NE(std::wstring::npos, written.find(L"runs=\"1\"")) << written;
    }
    EXPECT_TRUE(cache.FindTypeLibrary(kScrivaneLibraryId, 2, 0)) << "the reply object's library is kept";
}

TEST_F(RequestScriptTest, AMissingRoutineIsLoggedAndGetsTheBareReply)
{
    WindowMessages();
    const std::string reply = Exchange(Frame(L"A", L"NoSuchRoutine"));
    EXPECT_EQ(EncodeProviderFrame(L"<response>\r\n</response>\r\n"), reply);
    const std::vector<std::wstring> log = WindowMessages();
    EXPECT_EQ(1, std::count(log.begin(), log.end(), L"Error starting script"));
}

TEST_F(RequestScriptTest, ARoutineThatFailsNeverAnswersOk)
{
    struct Case { const char* what; const wchar_t* body; };
    const Case cases[] = {
        {"a run-time error", L"  x = 1 / 0\r\n"},
        {"a name that is no XML name", L"  SetExtra \"two words\", \"v\"\r\n"},
    };
    for (const Case& c : cases) {
        m_script = std::wstring(L"Sub GetHistorical(a, b, c, d, e, f)\r\n  SetStatus \"ok\"\r\n"
                                L"  AddDataEntry 1, 2, 2009, 0, 0, 0, 5\r\n") +
                   c.body + L"End Sub\r\n";
        WindowMessages();
        CXmlNodePtr response = ReplyRoot(Exchange(Frame(L"A")));
        ASSERT_TRUE(response) << c.what;
        EXPECT_EQ(kScriptFailedStatus, StatusOf(response)) << c.what;
        std::wstring written;
        response->WriteToString(written);
        EXPECT_NE(std::wstring::npos, written.find(L"<data count=\"1\"")) << "what was added stays: " << c.what;
        EXPECT_EQ(std::wstring::npos, written.find(L"two words")) << c.what;
        const std::vector<std::wstring> log = WindowMessages();
        EXPECT_EQ(1, std::count(log.begin(), log.end(), L"Error starting script")) << c.what;
    }
}

TEST_F(RequestScriptTest, AScriptPastItsTimeLimitIsStoppedAndGetsTheBareReply)
{
    // Scripts that call this program's object: Wine's engine cannot
    // interrupt one that never does.
    const wchar_t* scripts[] = {
        L"Sub GetHistorical(a, b, c, d, e, f)\r\n  Do\r\n    SetStatus \"ok\"\r\n  Loop\r\nEnd Sub\r\n",
        L"Do\r\n  SetDataAttribute \"a\", \"b\"\r\nLoop\r\n"
        L"Sub GetHistorical(a, b, c, d, e, f)\r\n  SetStatus \"ok\"\r\nEnd Sub\r\n",
    };
    m_timeLimitMs = 500;
    for (const wchar_t* script : scripts) {
        m_script = script;
        WindowMessages();
        EXPECT_EQ(EncodeProviderFrame(L"<response>\r\n</response>\r\n"), Exchange(Frame(L"A"))) << script;
        const std::vector<std::wstring> log = WindowMessages();
        EXPECT_EQ(1, std::count(log.begin(), log.end(), L"Script still running after 500 ms: interrupting it"))
            << ::testing::PrintToString(log);
    }
}

TEST_F(RequestScriptTest, TheServerPortComesFromSetupIni)
{
    struct Case { int port; bool listens; };
    const Case cases[] = {{0, true}, {-1, false}, {65536, false}};
    for (const Case& c : cases) {
        WriteSetup(L"ServerPort", c.port);
        WindowMessages();
        CSocketListener listener(MakeScriptRunner([] { return std::wstring(); }));
        StartServerPort(listener);
        const std::vector<std::wstring> log = WindowMessages();
        ASSERT_EQ(1u, log.size());
        if (c.listens)
            EXPECT_EQ(L"Server started on port " + std::to_wstring(listener.Port()), log[0]);
        else
            EXPECT_EQ(L"Cannot create server on port " + std::to_wstring(c.port), log[0]);
        EXPECT_EQ(c.listens, listener.IsOpen()) << c.port;
    }
}

}  // namespace
