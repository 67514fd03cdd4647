// The socket layer needs winsock2.h before anything includes windows.h.
#include <winsock2.h>

#include "chartcontrol/ProviderExchange.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "chartcontrol/Provider.h"
#include "common/providerwire/ProviderFrame.h"
#include "common/xml/test/XmlNodeTestSupport.h"
#include "platform/net/test/InetAddressTestSupport.h"
#include "testing/providerpeer/ScriptedProvider.h"

namespace {

using Action = ProviderScript::Action;
using Clock = std::chrono::steady_clock;

const wchar_t kOkReply[] =
    L"<response status=\"ok\">\r\n<data count=\"1\">\r\n"
    L"<entry day=\"2\" month=\"1\" value=\"19.52\" year=\"2009\">\r\n</entry>\r\n</data>\r\n</response>\r\n";

class ProviderExchangeTest : public XmlNodeLeakCheck {};

// The status of the reply's `response`, or "(none)" for no reply at all.
std::wstring StatusOf(const CXmlNodePtr& reply)
{
    if (!reply)
        return L"(none)";
    CXmlNodePtr response = CXmlNodePtr::Adopt(reply->FindChild(L"Response", 0));
    if (!response)
        return L"(no response)";
    std::wstring status;
    if (!response->GetAttributeString(L"status", status))
        return L"(no status)";
    return status;
}

CXmlNodePtr RequestFrom(CScriptedProvider& peer, int timeoutMs, const std::wstring& address = L"127.0.0.1")
{
    CProviderPtr provider = CProviderPtr::Adopt(new CProvider(peer.Port(), timeoutMs, address, L"GetHistorical"));
    return provider->RequestHistorical(L"MSFT", L"close", L"daily", L"01/01/2009", L"12/31/2009", L"Chart1");
}

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

TEST_F(ProviderExchangeTest, HistoricalRequestIsTheWrittenTreeFramedInHex)
{
    CScriptedProvider peer({Action::Answer, {EncodeProviderFrame(kOkReply)}});
    ASSERT_NE(0, peer.Port());
    const CXmlNodePtr reply = RequestFrom(peer, 2000);
    EXPECT_EQ(L"ok", StatusOf(reply));

    const std::wstring text =
        L"<command cmd=\"historical\">\r\n"
        L"<params interval=\"daily\" nodename=\"Chart1\" range1=\"01/01/2009\" range2=\"12/31/2009\" "
        L"sub=\"GetHistorical\" symbol=\"MSFT\" type=\"close\">\r\n"
        L"</params>\r\n"
        L"</command>\r\n";
    const std::string frame = peer.LastRequest();
    ASSERT_EQ(734u, frame.size());
    ASSERT_EQ(text.size() * 4 + 2, frame.size());
    EXPECT_EQ('<', frame.front());
    EXPECT_EQ('>', frame.back());
    EXPECT_EQ(0u, frame.compare(0, 5, "<003C"));
    EXPECT_EQ(0u, frame.compare(frame.size() - 13, 13, "003E000D000A>"));
    for (size_t i = 0; i < text.size(); ++i) {
        const std::string group = frame.substr(1 + 4 * i, 4);
        EXPECT_EQ(std::string::npos, group.find_first_not_of("0123456789ABCDEF")) << group;
        unsigned unit = 0;
        sscanf(group.c_str(), "%4X", &unit);
        EXPECT_EQ(static_cast<unsigned>(text[i]), unit) << "unit " << i;
    }
}

TEST_F(ProviderExchangeTest, CommandWordGoesOutInLowerCase)
{
    CScriptedProvider peer({Action::Answer, {EncodeProviderFrame(kOkReply)}});
    CXmlNodePtr params = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"params"));
    params->SetAttribute(L"symbol", L"IBM");
    EXPECT_EQ(L"ok", StatusOf(SendProviderCommand(L"127.0.0.1", peer.Port(), L"HiStorical", std::move(params), 2000)));

    const std::string frame = peer.LastRequest();
    ASSERT_GE(frame.size(), 2u);
    std::wstring text;
    ASSERT_TRUE(DecodeProviderPayload(frame.data() + 1, frame.size() - 2, text));
    EXPECT_EQ(L"<command cmd=\"historical\">\r\n<params symbol=\"IBM\">\r\n</params>\r\n</command>\r\n", text);
}

TEST_F(ProviderExchangeTest, EachProviderBehaviourGivesItsResult)
{
    const std::string frame = EncodeProviderFrame(kOkReply);
    std::string lowerCase = frame;
    for (char& c : lowerCase)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    std::string nonHex = frame;
    nonHex[3] = 'G';

    struct Case { const char* name; ProviderScript script; const wchar_t* status; };
    const Case cases[] = {
        {"whole frame in one send", {Action::Answer, {frame}}, L"ok"},
        {"frame split over sends",
         {Action::Answer, {frame.substr(0, 1), frame.substr(1, 6), frame.substr(7, 50), frame.substr(57)}}, L"ok"},
        {"stray bytes before the frame", {Action::Answer, {"\r\n", "xx" + frame}}, L"ok"},
        {"bytes after the frame", {Action::Answer, {frame + "003C>"}}, L"ok"},
        {"frame then close", {Action::CloseAfterRequest, {frame}}, L"ok"},
        {"status that is not ok", {Action::Answer, {EncodeProviderFrame(L"<response status=\"No data\"/>")}},
         L"No data"},
        {"empty response", {Action::Answer, {EncodeProviderFrame(L"<response/>")}}, L"(no status)"},
        {"other root", {Action::Answer, {EncodeProviderFrame(L"<answer status=\"ok\"/>")}}, L"(no response)"},
        {"closes at once", {Action::CloseAtOnce, {}}, L"(none)"},
        {"closes inside the frame", {Action::CloseAfterRequest, {frame.substr(0, 40)}}, L"(none)"},
        {"lower-case digits", {Action::Answer, {lowerCase}}, L"(none)"},
        {"non-hex digit", {Action::Answer, {nonHex}}, L"(none)"},
        {"partial unit", {Action::Answer, {frame.substr(0, frame.size() - 1) + "0>"}}, L"(none)"},
        {"not XML", {Action::Answer, {EncodeProviderFrame(L"<response status=\"ok\">")}}, L"(none)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedProvider peer(c.script);
        ASSERT_NE(0, peer.Port());
        const CXmlNodePtr reply = RequestFrom(peer, 2000);
        EXPECT_EQ(c.status, StatusOf(reply));
        if (reply) {
            EXPECT_STREQ(L"", reply->GetName()) << "the reply root sits in a nameless container";
        }
    }
}

TEST_F(ProviderExchangeTest, SilentProviderCostsOneTimeOut)
{
    // A time-out of 0 or less would give up at once: the default applies.
    struct Case { int timeoutMs; double atLeastSeconds; };
    const Case cases[] = {{500, 0.45}, {0, 1.9}, {-1, 1.9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.timeoutMs);
        CScriptedProvider peer({Action::Silent, {}});
        const auto start = Clock::now();
        EXPECT_FALSE(RequestFrom(peer, c.timeoutMs));
        const double waited = SecondsSince(start);
        EXPECT_GE(waited, c.atLeastSeconds);
        EXPECT_LT(waited, c.atLeastSeconds + 8.0) << "one receive, one time-out";
        EXPECT_NE(std::string::npos, peer.LastRequest().find('>')) << "the request went out whole";
    }
}

TEST_F(ProviderExchangeTest, ATricklingProviderIsCutOffAtTheTimeOut)
{
    // Four digits every 100 ms: each receive gets data long before the
    // time-out, the whole reply would take over ten seconds.
    const std::string frame = EncodeProviderFrame(kOkReply);
    ProviderScript script{Action::Answer, {}, 100};
    for (size_t i = 0; i < frame.size(); i += 4)
        script.reply.push_back(frame.substr(i, 4));
    ASSERT_GT(script.reply.size() * script.pauseMs, 10000u);
    CScriptedProvider peer(script);

    const auto start = Clock::now();
    EXPECT_FALSE(RequestFrom(peer, 1000));
    EXPECT_LT(SecondsSince(start), 1.0 + 3.0) << "the time-out bounds the whole exchange";
}

TEST_F(ProviderExchangeTest, RefusedConnectionIsNoReply)
{
    const unsigned short port = CScriptedProvider::RefusingPort();
    ASSERT_NE(0, port);
    const auto start = Clock::now();
    EXPECT_FALSE(ExchangeWithProvider(L"<command/>", "127.0.0.1", port, 30000));
    EXPECT_LT(SecondsSince(start), 10.0) << "a refusal must not wait out the time-out";
}

TEST_F(ProviderExchangeTest, LocalhostFindsAnIpv4OnlyProvider)
{
    CScriptedProvider peer({Action::Answer, {EncodeProviderFrame(kOkReply)}});
    EXPECT_EQ(L"ok", StatusOf(RequestFrom(peer, 2000, L"localhost")));
}

TEST_F(ProviderExchangeTest, ANameServerThatDoesNotAnswerCostsOneTimeOut)
{
    CScriptedProvider peer({Action::Answer, {EncodeProviderFrame(kOkReply)}});
    CHeldNameLookup lookup(true);
    EXPECT_FALSE(RequestFrom(peer, 300, L"provider.example"));
    EXPECT_EQ(0, lookup.Answered()) << "the exchange gave up while the lookup was held";
    EXPECT_EQ(std::vector<std::string>{"provider.example"}, lookup.Hosts());
    EXPECT_TRUE(lookup.ReleaseAndWaitForWorkers(1));
    EXPECT_EQ(0, peer.ConnectionsServed());
}

TEST_F(ProviderExchangeTest, PortOutsideSixteenBitsReachesNobody)
{
    CScriptedProvider peer({Action::Answer, {EncodeProviderFrame(kOkReply)}});
    for (int port : {0, -1, peer.Port() + 65536})
        EXPECT_FALSE(ExchangeWithProvider(L"<command/>", "127.0.0.1", port, 2000)) << port;
    EXPECT_EQ(0, peer.ConnectionsServed());
}

TEST_F(ProviderExchangeTest, FrameThatNeverClosesIsCutOff)
{
    CScriptedProvider peer({Action::Flood, {"<", std::string(65536, '0')}});
    EXPECT_FALSE(ExchangeWithProvider(L"<command/>", "127.0.0.1", peer.Port(), 5000));
    EXPECT_GE(peer.BytesSentLast(), static_cast<long long>(kMaxProviderReplyBytes))
        << "gave up before the bound";
}
