#include "textvote/socket/BlockingSocket.h"

#include <gtest/gtest.h>

#include "textvote/socket/test/SocketTestSupport.h"

using nsSocket::CBlockingSocket;
using nsSocket::CBlockingSocketException;

namespace {

using ConnectedSocket = ConnectedTo<CBlockingSocket>;

// Runs `action` and returns the exception it throws; fails when none comes.
template <typename Action>
CBlockingSocketException Thrown(Action action)
{
    try {
        action();
    } catch (const CBlockingSocketException& e) {
        return e;
    }
    ADD_FAILURE() << "no exception";
    return CBlockingSocketException(L"(none)", -1);
}

class BlockingSocket : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EnsureWinsockStarted()); }
};

}  // namespace

TEST(BlockingSocketException, MessageHasTheCodeOnlyWhenThereIsOne)
{
    struct Case { const wchar_t* operation; int code; const wchar_t* message; };
    const Case cases[] = {
        {L"Receive timeout", 0, L"Receive timeout error"},
        {L"Connect", WSAECONNREFUSED, L"Connect error 0x0000274d"},
        {L"Socket Error", WSAENOTSOCK, L"Socket Error error 0x00002736"},
    };
    for (const Case& c : cases) {
        const CBlockingSocketException e(c.operation, c.code);
        EXPECT_EQ(c.message, e.Message());
        wchar_t buffer[64];
        unsigned help = 99;
        EXPECT_TRUE(e.GetErrorMessage(buffer, 64, &help));
        EXPECT_STREQ(c.message, buffer);
        EXPECT_EQ(0u, help);
    }
    // A short buffer is cut and still terminated.
    wchar_t small[8];
    EXPECT_TRUE(CBlockingSocketException(L"Connect", 5).GetErrorMessage(small, 8));
    EXPECT_STREQ(L"Connect", small);
}

TEST_F(ConnectedSocket, WritesAndReceivesUntilThePeerCloses)
{
    EXPECT_EQ(5, socket.Write("hello", 5, 2));
    char buffer[16] = {};
    ASSERT_EQ(5, peer.Receive(buffer, sizeof buffer, kPeerWait));
    EXPECT_STREQ("hello", buffer);

    EXPECT_EQ(0, socket.Write("", 0, 2)) << "nothing to send is no error";
    ASSERT_EQ(3, peer.SendAll("abc", 3, kPeerWait));
    EXPECT_EQ(3, socket.Receive(buffer, sizeof buffer, 2));

    peer.Close();
    EXPECT_EQ(0, socket.Receive(buffer, sizeof buffer, 2)) << "a closed peer reads as 0, not an error";
}

TEST_F(ConnectedSocket, ATimeOutIsNamedAndCarriesNoCode)
{
    char buffer[16];
    const CBlockingSocketException e = Thrown([&] { socket.Receive(buffer, sizeof buffer, 1); });
    EXPECT_EQ(L"Receive timeout", e.Operation());
    EXPECT_EQ(0, e.Code());
    EXPECT_EQ(L"Receive timeout error", e.Message());
}

TEST_F(ConnectedSocket, CheckReadabilityTellsWithoutWaiting)
{
    EXPECT_FALSE(socket.CheckReadability());
    ASSERT_EQ(1, peer.SendAll("x", 1, kPeerWait));
    // The byte may take a moment on loopback; a bounded receive proves it came.
    char byte;
    EXPECT_TRUE(nsSocket::WaitUntilReadable(socket, 2, L"Receive"));
    EXPECT_TRUE(socket.CheckReadability());
    EXPECT_EQ(1, socket.Receive(&byte, 1, 2));
    EXPECT_FALSE(socket.CheckReadability());
}

TEST_F(ConnectedSocket, IsBlockingAgainOnceConnected)
{
    // With a receive time-out, a blocking recv() times out where a
    // non-blocking one would say it would block.
    const DWORD wait = 100;
    ASSERT_EQ(0, setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait));
    char byte;
    EXPECT_EQ(SOCKET_ERROR, recv(socket, &byte, 1, 0));
    EXPECT_EQ(WSAETIMEDOUT, WSAGetLastError());
}

TEST_F(BlockingSocket, HandleIsZeroWhenNoneIsOpen)
{
    CBlockingSocket socket;
    EXPECT_EQ(0u, static_cast<SOCKET>(socket));
    EXPECT_NO_THROW(socket.Close());
    EXPECT_NO_THROW(socket.Cleanup());

    const CBlockingSocketException e = Thrown([&] { socket.Create(12345); });
    EXPECT_EQ(L"Create", e.Operation());
    EXPECT_NE(0, e.Code());
    EXPECT_EQ(0u, static_cast<SOCKET>(socket)) << "a failed Create leaves no handle";

    socket.Create();
    EXPECT_NE(0u, static_cast<SOCKET>(socket));
    socket.Close();
    EXPECT_EQ(0u, static_cast<SOCKET>(socket));
}

TEST_F(BlockingSocket, RefusedConnectNamesTheOperation)
{
    CTcpListener probe;
    ASSERT_TRUE(probe.Open(0));
    const unsigned short port = probe.Port();
    probe.Close();

    CBlockingSocket socket;
    socket.Create();
    const CBlockingSocketException e = Thrown([&] { socket.Connect(Loopback(port), 2); });
    EXPECT_EQ(L"Connect", e.Operation());
    EXPECT_EQ(WSAECONNREFUSED, e.Code());
    socket.Cleanup();
}

TEST_F(BlockingSocket, AnUnansweredConnectEndsAtItsTimeOut)
{
    CUnansweredListener silent;
    ASSERT_TRUE(silent.Open());
    CBlockingSocket socket;
    socket.Create();
    // Left to the system, this connect would end minutes later as "Connect".
    const CBlockingSocketException e = Thrown([&] { socket.Connect(Loopback(silent.Port()), 1); });
    EXPECT_EQ(L"Connect timeout", e.Operation());
    EXPECT_EQ(0, e.Code());
    socket.Cleanup();
}

TEST_F(BlockingSocket, ListensAndAcceptsIntoANewInstance)
{
    CBlockingSocket listener;
    listener.Create();
    listener.Bind(Loopback(0));
    sockaddr_in bound{};
    listener.GetSockName(&bound);
    ASSERT_NE(0, bound.sin_port);
    listener.Listen();

    CBlockingSocket client;
    client.Create();
    client.Connect(bound, 2);
    ASSERT_TRUE(nsSocket::WaitUntilReadable(listener, 2, L"Accept"));
    auto accepted = listener.CreateInstance();
    sockaddr_in from{};
    ASSERT_TRUE(listener.Accept(*accepted, &from));
    EXPECT_EQ(htonl(INADDR_LOOPBACK), from.sin_addr.s_addr);

    sockaddr_in peer{};
    client.GetPeerName(&peer);
    EXPECT_EQ(bound.sin_port, peer.sin_port);
    EXPECT_EQ(2, accepted->Write("ok", 2, 2));
    char buffer[4] = {};
    EXPECT_EQ(2, client.Receive(buffer, sizeof buffer, 2));
    EXPECT_STREQ("ok", buffer);
    client.Close();
    listener.Close();
}

TEST_F(BlockingSocket, DatagramsGoToTheGivenAddress)
{
    CBlockingSocket receiver;
    receiver.Create(SOCK_DGRAM);
    receiver.Bind(Loopback(0));
    sockaddr_in to{};
    receiver.GetSockName(&to);

    CBlockingSocket sender;
    sender.Create(SOCK_DGRAM);
    EXPECT_EQ(4, sender.SendDatagram("ping", 4, to, 2));
    char buffer[8] = {};
    sockaddr_in from{};
    EXPECT_EQ(4, receiver.ReceiveDatagram(buffer, sizeof buffer, &from, 2));
    EXPECT_STREQ("ping", buffer);
    EXPECT_EQ(htonl(INADDR_LOOPBACK), from.sin_addr.s_addr);

    const CBlockingSocketException e = Thrown([&] { receiver.ReceiveDatagram(buffer, sizeof buffer, &from, 1); });
    EXPECT_EQ(L"Receive timeout", e.Operation());
    sender.Close();
    receiver.Close();
}

TEST_F(BlockingSocket, ResolvesIpv4AddressesAndNames)
{
    CBlockingSocket socket;
    const sockaddr_in numeric = socket.GetHostByName(L"127.0.0.1", 2121, 2);
    EXPECT_EQ(AF_INET, numeric.sin_family);
    EXPECT_EQ(htons(2121), numeric.sin_port);
    EXPECT_EQ(htonl(INADDR_LOOPBACK), numeric.sin_addr.s_addr);

    // Only IPv4: "localhost" must not come back as ::1.
    const sockaddr_in local = socket.GetHostByName(L"localhost", 21, 2);
    EXPECT_EQ(AF_INET, local.sin_family);
    EXPECT_EQ(htonl(INADDR_LOOPBACK), local.sin_addr.s_addr);

    EXPECT_EQ(L"GetHostByName", Thrown([&] { socket.GetHostByName(L"no-such-host.invalid", 21, 2); }).Operation());
    EXPECT_FALSE(socket.GetHostByAddr(numeric).empty());
}
