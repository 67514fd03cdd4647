#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/providerwire/ProviderFrame.h"
#include "common/xml/test/XmlNodeTestSupport.h"
#include "platform/net/UniqueSocket.h"
#include "provider/test/ProviderTestSupport.h"
#include "provider/server/test/ServerTestSupport.h"
#include "provider/server/SocketListener.h"

namespace {

const std::string kBareReply = EncodeProviderFrame(L"<response>\r\n</response>\r\n");

std::string RequestFrame(const std::wstring& extra = L"", const std::wstring& more = L"")
{
    return EncodeProviderFrame(
        L"<command cmd=\"historical\"><params symbol=\"MSFT\" type=\"close\" interval=\"daily\" "
        L"range1=\"01/01/2009\" range2=\"12/31/2009\" nodename=\"Chart1\"" + extra + L"/>" + more + L"</command>");
}

class SocketListenerTest : public ProviderFixture {
protected:
    void SetUp() override
    {
        ProviderFixture::SetUp();
        Listen(CSocketListener::kIdleTimeoutMs);
    }

    void Listen(DWORD idleTimeoutMs)
    {
        m_listener.reset();
        m_listener = std::make_unique<CSocketListener>(
            [this](const HistoricalRequest& request, CXmlNode* reply) {
                m_routines.push_back(request.routine);
                m_clientsWhileRunning.push_back(m_listener->ClientCount());
                if (m_duringRun)
                    m_duringRun();
                CXmlNode* response = new CXmlNode(reply, L"Response");
                response->SetAttribute(L"status", L"ok");
                response->SetText(std::wstring(m_replyTextUnits, L'x').c_str());
                return RunResult::Completed;
            });
        m_listener->SetIdleTimeout(idleTimeoutMs);
        ASSERT_TRUE(m_listener->StartListening(0));
        m_port = static_cast<unsigned short>(m_listener->Port());
        WindowMessages();
    }

    // Connects `count` clients and waits until the listener holds them all.
    void ConnectClients(size_t count, std::vector<std::unique_ptr<Client>>& clients)
    {
        Serve([&] {
            for (size_t i = 0; i < count; ++i)
                clients.push_back(std::make_unique<Client>(m_port));
        });
        ASSERT_TRUE(PumpUntil([&] { return m_listener->ClientCount() == count; }));
    }

    // The logged lines since the last call that begin with `prefix`.
    int LoggedLines(const std::wstring& prefix)
    {
        int count = 0;
        for (const std::wstring& line : WindowMessages())
            count += line.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
        return count;
    }

    void TearDown() override
    {
        m_listener.reset();
        ProviderFixture::TearDown();
    }

    std::unique_ptr<CSocketListener> m_listener;
    std::vector<std::wstring> m_routines;
    std::vector<size_t> m_clientsWhileRunning;
    std::function<void()> m_duringRun;
    size_t m_replyTextUnits = 2;
    unsigned short m_port = 0;
};

std::string Requests(size_t count)
{
    std::string frames;
    for (size_t i = 0; i < count; ++i)
        frames += RequestFrame();
    return frames;
}

std::string OkReply(size_t units)
{
    return EncodeProviderFrame(L"<response>\r\n<Response status=\"ok\">\r\n<![CDATA[" + std::wstring(units, L'x') +
                               L"]]>\r\n</Response>\r\n</response>\r\n");
}

TEST_F(SocketListenerTest, LogsThePortItBound)
{
    m_listener.reset();
    CSocketListener first([](const HistoricalRequest&, CXmlNode*) { return RunResult::Completed; });
    ASSERT_TRUE(first.StartListening(0));
    m_port = static_cast<unsigned short>(first.Port());
    ASSERT_NE(0, m_port);
    EXPECT_EQ(std::vector<std::wstring>{L"Server started on port " + std::to_wstring(m_port)}, WindowMessages());

    CSocketListener second([](const HistoricalRequest&, CXmlNode*) { return RunResult::Completed; });
    EXPECT_FALSE(second.StartListening(m_port));
    EXPECT_EQ(std::vector<std::wstring>{L"Cannot create server on port " + std::to_wstring(m_port)}, WindowMessages());
}

TEST_F(SocketListenerTest, AnswersRawByteSequences)
{
    const std::string request = RequestFrame();
    struct Case {
        const char* what;
        std::vector<std::string> sends;
        int replies;
        std::string expected;
    };
    const Case cases[] = {
        {"one frame", {request}, 1, OkReply(2)},
        {"a frame in pieces", {request.substr(0, 5), request.substr(5, 300), request.substr(305)}, 1, OkReply(2)},
        {"two frames in one send", {request + request}, 2, OkReply(2) + OkReply(2)},
        {"junk before <", {"\r\njunk" + request}, 1, OkReply(2)},
        {"a bad cmd", {EncodeProviderFrame(L"<command cmd=\"quote\"/>")}, 1, kBareReply},
        {"injection in sub", {RequestFrame(L" sub=\"X(1):Y\"")}, 1, kBareReply},
        {"undecodable", {"<nothex>"}, 1, kBareReply},
        {"nested too deep", {RequestFrame(L"", NestedElements(2000))}, 1, kBareReply},
    };
    for (const Case& c : cases) {
        std::string received;
        Serve([&] {
            Client client(m_port);
            for (const std::string& bytes : c.sends) {
                client.Send(bytes);
                Sleep(20);
            }
            received = client.Read(c.replies);
        });
        EXPECT_EQ(c.expected, received) << c.what;
    }
    EXPECT_EQ(5u, m_routines.size());
    PumpUntil([&] { return m_listener->ClientCount() == 0; });
    EXPECT_EQ(0u, m_listener->ClientCount());
}

TEST_F(SocketListenerTest, APeerThatOnlyShutsDownSendingStillGetsItsReply)
{
    std::string received;
    Serve([&] {
        Client client(m_port);
        client.Send(RequestFrame());
        client.ShutdownSending();
        received = client.Read(1);
    });
    EXPECT_EQ(OkReply(2), received);
    EXPECT_TRUE(PumpUntil([&] { return m_listener->ClientCount() == 0; }));
}

TEST_F(SocketListenerTest, AMultiMegabyteReplyArrivesWholeAtASlowReader)
{
    m_replyTextUnits = 5 * 1024 * 1024 / 4;   // a frame of about 5 MB
    std::string received;
    Serve([&] {
        Client client(m_port);
        client.Send(RequestFrame());
        Sleep(200);
        received = client.Read(1, 256 * 1024, 5);
    });
    EXPECT_EQ(OkReply(m_replyTextUnits).size(), received.size());
    EXPECT_TRUE(received == OkReply(m_replyTextUnits));
}

TEST_F(SocketListenerTest, BeyondElevenClientsAConnectionWaitsForAFreeSlot)
{
    std::vector<std::unique_ptr<Client>> clients;
    ASSERT_NO_FATAL_FAILURE(ConnectClients(11, clients));

    // The twelfth stays pending: neither closed nor answered while eleven
    // are listed.
    Client twelfth(m_port, 2000);
    std::string early;
    Serve([&] {
        twelfth.Send(RequestFrame());
        early = twelfth.Read(1);
    });
    EXPECT_EQ("", early);
    EXPECT_EQ(11u, m_listener->ClientCount());

    // Once there is room it is taken and answered.
    clients.pop_back();
    std::string received;
    Serve([&] { received = twelfth.Read(1); });
    EXPECT_EQ(OkReply(2), received);
    EXPECT_EQ(11u, m_listener->ClientCount());
}

TEST_F(SocketListenerTest, AConnectionTakenIntoTheSlotOfAClosedOneIsNotCutByItsClose)
{
    // Ten slots held; then one peer connects and leaves, and another waits
    // behind it. The second is taken as the first's slot frees and gets the
    // handle the first had: nothing still posted for the first may reach it.
    std::vector<std::unique_ptr<Client>> clients;
    ASSERT_NO_FATAL_FAILURE(ConnectClients(10, clients));
    Client(m_port).Close(false);
    Client second(m_port);
    ASSERT_TRUE(second.Connected());
    const DWORD settled = GetTickCount() + 500;
    PumpUntil([&] { return static_cast<LONG>(GetTickCount() - settled) > 0; });
    EXPECT_EQ(11u, m_listener->ClientCount());

    std::string received;
    Serve([&] {
        second.Send(RequestFrame());
        received = second.Read(1);
    });
    EXPECT_EQ(OkReply(2), received);
}

TEST_F(SocketListenerTest, APeerThatLeftFreesItsSlotBeforeTheRequestsQueuedAheadOfItsCloseRun)
{
    // Two requests wait for the server's thread; the third peer closes
    // before either is served, or while the first one's script runs.
    for (const bool duringTheFirstRun : {false, true}) {
        std::vector<std::unique_ptr<Client>> clients;
        ASSERT_NO_FATAL_FAILURE(ConnectClients(3, clients));
        clients[0]->Send(RequestFrame());
        clients[1]->Send(RequestFrame());
        m_clientsWhileRunning.clear();
        m_duringRun = [&] {
            if (duringTheFirstRun && m_clientsWhileRunning.size() == 1) {
                clients[2]->Close(false);
                Sleep(300);
            }
        };
        if (!duringTheFirstRun)
            clients[2]->Close(false);
        Sleep(300);
        std::string first, second;
        Serve([&] {
            first = clients[0]->Read(1);
            second = clients[1]->Read(1);
        });
        EXPECT_EQ(OkReply(2), first) << duringTheFirstRun;
        EXPECT_EQ(OkReply(2), second) << duringTheFirstRun;
        const std::vector<size_t> expected = duringTheFirstRun ? std::vector<size_t>{3, 2} : std::vector<size_t>{2, 2};
        EXPECT_EQ(expected, m_clientsWhileRunning) << duringTheFirstRun;
        m_duringRun = nullptr;
        clients.clear();
        ASSERT_TRUE(PumpUntil([&] { return m_listener->ClientCount() == 0; }));
    }
}

TEST_F(SocketListenerTest, AFrameThatNeverClosesIsCutOff)
{
    bool closed = false;
    Serve([&] {
        Client client(m_port);
        const std::string digits(64 * 1024, '0');
        client.Send("<");
        for (size_t sent = 0; sent <= CServerSocket::kMaxFrameBytes; sent += digits.size())
            client.Send(digits);
        closed = client.ClosedByServer();
    });
    EXPECT_TRUE(closed);
    EXPECT_TRUE(PumpUntil([&] { return m_listener->ClientCount() == 0; }));
    EXPECT_TRUE(m_routines.empty());
    EXPECT_EQ(1, LoggedLines(L"Closed a connection whose request passed 65536 bytes"));
}

TEST_F(SocketListenerTest, AClientThatLeavesDuringItsReplyFreesItsSlotAtOnce)
{
    m_replyTextUnits = 5 * 1024 * 1024 / 4;   // far more than the socket buffers hold
    enum class Leave { Close, Reset, ShutDownSending };
    for (Leave leave : {Leave::Close, Leave::Reset, Leave::ShutDownSending}) {
        SCOPED_TRACE(static_cast<int>(leave));
        std::unique_ptr<Client> halfOpen;
        Serve([&] {
            auto client = std::make_unique<Client>(m_port);
            client->Send(RequestFrame());
            Sleep(300);   // the reply is under way, nothing of it read
            if (leave == Leave::ShutDownSending)
                client->ShutdownSending();   // and never reads
            else
                client->Close(leave == Leave::Reset);
            halfOpen = std::move(client);
        });
        EXPECT_TRUE(PumpUntil([&] { return m_listener->ClientCount() == 0; })) << "the slot is kept";
        const std::vector<std::wstring> log = WindowMessages();
        EXPECT_EQ(1, std::count_if(log.begin(), log.end(), [](const std::wstring& line) {
                      return line.find(L"reply bytes not sent") != std::wstring::npos;
                  })) << ::testing::PrintToString(log);
    }
}

TEST_F(SocketListenerTest, AConnectionIdleOrSlowerThanTheTimeOutWithItsRequestIsClosed)
{
    Listen(1000);
    const std::string request = RequestFrame();
    bool idleClosed = false;
    bool halfFrameClosed = false;
    bool dripClosed = false;
    std::string received;
    Serve([&] {
        Client idle(m_port);
        Client halfFrame(m_port);
        halfFrame.Send(request.substr(0, 40));
        // Never idle, never done: a byte every 100 ms for three seconds.
        Client drip(m_port, 100);
        for (int i = 0; i < 30 && !dripClosed; ++i) {
            drip.Send(request.substr(static_cast<size_t>(i), 1));
            dripClosed = drip.ClosedByServer();
        }
        // A slow sender whose request is whole within the time-out.
        Client slow(m_port);
        const size_t pieces = 8;
        const size_t piece = request.size() / pieces + 1;
        for (size_t at = 0; at < request.size(); at += piece) {
            slow.Send(request.substr(at, piece));
            Sleep(50);
        }
        received = slow.Read(1);
        idleClosed = idle.ClosedByServer();
        halfFrameClosed = halfFrame.ClosedByServer();
    });
    EXPECT_EQ(OkReply(2), received);
    EXPECT_TRUE(idleClosed);
    EXPECT_TRUE(halfFrameClosed);
    EXPECT_TRUE(dripClosed);
    const std::vector<std::wstring> log = WindowMessages();
    EXPECT_EQ(2, std::count(log.begin(), log.end(), L"Closed a connection idle for 1000 ms")) << ::testing::PrintToString(log);
    EXPECT_EQ(1, std::count(log.begin(), log.end(), L"Closed a connection that sent no whole request within 1000 ms"))
        << ::testing::PrintToString(log);
}

TEST_F(SocketListenerTest, AClientThatNeverReadsHoldsOneReplyAndIsAnsweredInOrderOnceItReads)
{
    m_replyTextUnits = 2 * 1024 * 1024 / 4;   // replies of about 2 MB
    const int requests = 10;
    std::string received;
    Serve([&] {
        Client client(m_port, 30000);   // each reply is built only once the one before is out
        client.Send(Requests(requests));
        Sleep(1500);
        received = client.Read(requests, 256 * 1024);
    });
    std::string expected;
    for (int i = 0; i < requests; ++i)
        expected += OkReply(m_replyTextUnits);
    EXPECT_EQ(expected.size(), received.size());
    EXPECT_TRUE(expected == received);
    EXPECT_EQ(static_cast<size_t>(requests), m_routines.size());
}

TEST_F(SocketListenerTest, RequestsStayUnreadWhileAReplyIsInFlight)
{
    m_replyTextUnits = 2 * 1024 * 1024 / 4;
    const std::string many = Requests(32 * 1024 * 1024 / RequestFrame().size());
    size_t taken = 0;
    Serve([&] {
        Client client(m_port);
        client.Send(Requests(30));
        Sleep(500);
        // A server that goes on reading would take all of it.
        taken = client.SendFor(many, 1500);
    });
    // What the loopback buffers hold besides the one reply in flight is a few
    // replies at most; without back-pressure every request is answered.
    EXPECT_LT(m_routines.size(), 8u);
    EXPECT_LT(taken, many.size() / 2);
}

TEST_F(SocketListenerTest, AReplyOverTheLimitIsReplacedByTheBareReply)
{
    m_replyTextUnits = CServerSocket::kMaxReplyBytes / 4;
    std::string received;
    Serve([&] {
        Client client(m_port);
        client.Send(RequestFrame() + RequestFrame());
        received = client.Read(2);
    });
    EXPECT_EQ(kBareReply + kBareReply, received);
    EXPECT_EQ(2, LoggedLines(L"A reply of "));
}

TEST_F(SocketListenerTest, ShutdownClosesClientsAndTheListener)
{
    std::unique_ptr<Client> client;
    Serve([&] { client = std::make_unique<Client>(m_port); });
    ASSERT_TRUE(PumpUntil([&] { return m_listener->ClientCount() == 1; }));
    WindowMessages();
    m_listener->Shutdown();
    EXPECT_EQ(std::vector<std::wstring>{L"Shutdown Server Port"}, WindowMessages());
    EXPECT_EQ(0u, m_listener->ClientCount());
    EXPECT_TRUE(client->ClosedByServer());
    Client late(m_port);
    EXPECT_FALSE(late.Connected());
}

}  // namespace
