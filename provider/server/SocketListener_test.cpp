#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "chartcontrol/ProviderFrame.h"
#include "common/xml/XmlNodeTestSupport.h"
#include "platform/net/UniqueSocket.h"
#include "provider/server/SocketListener.h"

namespace {

const std::string kBareReply = EncodeProviderFrame(L"<response>\r\n</response>\r\n");

std::string RequestFrame(const std::wstring& extra = L"")
{
    return EncodeProviderFrame(
        L"<command cmd=\"historical\"><params symbol=\"MSFT\" type=\"close\" interval=\"daily\" "
        L"range1=\"01/01/2009\" range2=\"12/31/2009\" nodename=\"Chart1\"" + extra + L"/></command>");
}

// Dispatches this thread's messages until `done` holds or ten seconds pass.
bool PumpUntil(const std::function<bool()>& done)
{
    const DWORD deadline = GetTickCount() + 10000;
    while (!done()) {
        if (static_cast<LONG>(GetTickCount() - deadline) > 0)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return true;
}

// A blocking client on a thread of its own, while the test thread serves.
class Client {
public:
    explicit Client(unsigned short port)
    {
        m_socket.Reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        m_connected = connect(m_socket.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        DWORD timeout = 10000;
        setsockopt(m_socket.Get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    }

    bool Connected() const { return m_connected; }
    void Send(const std::string& bytes) { send(m_socket.Get(), bytes.data(), static_cast<int>(bytes.size()), 0); }
    void ShutdownSending() { shutdown(m_socket.Get(), SD_SEND); }
    void Close() { m_socket.Reset(); }

    // Reads until `frames` replies are complete or the peer closes;
    // `chunk` small reads with pauses make a slow reader.
    std::string Read(int frames, int chunk = 65536, DWORD pauseMs = 0)
    {
        std::string received;
        std::vector<char> buffer(static_cast<size_t>(chunk));
        while (std::count(received.begin(), received.end(), '>') < frames) {
            const int n = recv(m_socket.Get(), buffer.data(), chunk, 0);
            if (n <= 0)
                break;
            received.append(buffer.data(), static_cast<size_t>(n));
            if (pauseMs)
                Sleep(pauseMs);
        }
        return received;
    }

    // True when the server closed the connection (end of stream or reset).
    bool ClosedByServer()
    {
        char byte;
        return recv(m_socket.Get(), &byte, 1, 0) <= 0;
    }

private:
    UniqueSocket m_socket;
    bool m_connected = false;
};

class SocketListenerTest : public XmlNodeLeakCheck {
protected:
    void SetUp() override
    {
        XmlNodeLeakCheck::SetUp();
        m_listener = std::make_unique<CSocketListener>(
            [this](const HistoricalRequest& request, CXmlNode* reply) {
                m_routines.push_back(request.routine);
                CXmlNode* response = new CXmlNode(reply, L"Response");
                response->SetAttribute(L"status", L"ok");
                response->SetText(std::wstring(m_replyTextUnits, L'x').c_str());
            },
            [this](const std::wstring& line) { m_log.push_back(line); });
        ASSERT_TRUE(m_listener->StartListening(0));
        m_port = static_cast<unsigned short>(m_listener->Port());
    }

    void TearDown() override
    {
        m_listener.reset();
        XmlNodeLeakCheck::TearDown();
    }

    // Runs `client` on a thread while this thread serves.
    void Serve(const std::function<void()>& client)
    {
        std::atomic<bool> done{false};
        std::thread thread([&] { client(); done = true; });
        const bool finished = PumpUntil([&] { return done.load(); });
        thread.join();
        EXPECT_TRUE(finished);
    }

    std::unique_ptr<CSocketListener> m_listener;
    std::vector<std::wstring> m_routines;
    std::vector<std::wstring> m_log;
    size_t m_replyTextUnits = 2;
    unsigned short m_port = 0;
};

std::string OkReply(size_t units)
{
    return EncodeProviderFrame(L"<response>\r\n<Response status=\"ok\">\r\n<![CDATA[" + std::wstring(units, L'x') +
                               L"]]>\r\n</Response>\r\n</response>\r\n");
}

TEST_F(SocketListenerTest, LogsThePortItBound)
{
    ASSERT_NE(0, m_port);
    ASSERT_EQ(1u, m_log.size());
    EXPECT_EQ(L"Server started on port " + std::to_wstring(m_port), m_log[0]);

    CSocketListener second([](const HistoricalRequest&, CXmlNode*) {}, [this](const std::wstring& line) {
        m_log.push_back(line);
    });
    EXPECT_FALSE(second.StartListening(m_port));
    EXPECT_EQ(L"Cannot create server on port " + std::to_wstring(m_port), m_log.back());
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

TEST_F(SocketListenerTest, BeyondElevenClientsAConnectionIsClosedAtOnce)
{
    std::vector<std::unique_ptr<Client>> clients;
    Serve([&] {
        for (int i = 0; i < 11; ++i)
            clients.push_back(std::make_unique<Client>(m_port));
    });
    ASSERT_TRUE(PumpUntil([&] { return m_listener->ClientCount() == 11; }));

    bool closed = false;
    Serve([&] {
        Client twelfth(m_port);
        closed = twelfth.ClosedByServer();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(11u, m_listener->ClientCount());

    // The listener keeps accepting once there is room again.
    clients.pop_back();
    ASSERT_TRUE(PumpUntil([&] { return m_listener->ClientCount() == 10; }));
    std::string received;
    Serve([&] {
        Client client(m_port);
        client.Send(RequestFrame());
        received = client.Read(1);
    });
    EXPECT_EQ(OkReply(2), received);
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
}

TEST_F(SocketListenerTest, ShutdownClosesClientsAndTheListener)
{
    std::unique_ptr<Client> client;
    Serve([&] { client = std::make_unique<Client>(m_port); });
    ASSERT_TRUE(PumpUntil([&] { return m_listener->ClientCount() == 1; }));
    m_listener->Shutdown();
    EXPECT_EQ(0u, m_listener->ClientCount());
    EXPECT_TRUE(client->ClosedByServer());
    Client late(m_port);
    EXPECT_FALSE(late.Connected());
}

}  // namespace
