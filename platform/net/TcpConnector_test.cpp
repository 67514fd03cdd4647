#include "platform/net/TcpConnector.h"

#include <gtest/gtest.h>

#include <chrono>

#include "testing/net/TcpListener.h"

namespace {

const CTimeValue kTwoSeconds = CTimeValue::FromMilliseconds(2000);

// A loopback port on which nothing listens.
unsigned short RefusingPort()
{
    CTcpListener probe;
    return probe.Open(0) ? probe.Port() : 0;
}

// Connects `client` through `host` to a fresh listener and accepts `server`.
::testing::AssertionResult ConnectPair(const char* host, CTcpListener& listener, CTcpStream& client,
                                       CTcpStream& server)
{
    if (!listener.Open(0))
        return ::testing::AssertionFailure() << "no listener";
    CInetAddress address;
    if (!address.Set(listener.Port(), host))
        return ::testing::AssertionFailure() << host << " does not resolve";
    if (!CTcpConnector().Connect(client, address, kTwoSeconds))
        return ::testing::AssertionFailure() << "no connection through " << host;
    if (!listener.Accept(server, kTwoSeconds))
        return ::testing::AssertionFailure() << "nothing accepted";
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(TcpConnector, TriesEveryAddressInTurn)
{
    CTcpListener listener;
    ASSERT_TRUE(listener.Open(0));
    const unsigned short refusingPort = RefusingPort();

    // ::1 where nothing listens, a refused IPv4 port, then the listener.
    sockaddr_in6 ipv6{};
    ipv6.sin6_family = AF_INET6;
    ipv6.sin6_addr.s6_addr[15] = 1;
    ipv6.sin6_port = htons(listener.Port());
    sockaddr_in refused{};
    refused.sin_family = AF_INET;
    refused.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    refused.sin_port = htons(refusingPort);
    sockaddr_in listening = refused;
    listening.sin_port = htons(listener.Port());

    addrinfo entries[3] = {};
    const struct { int family; sockaddr* address; size_t size; } parts[3] = {
        {AF_INET6, reinterpret_cast<sockaddr*>(&ipv6), sizeof ipv6},
        {AF_INET, reinterpret_cast<sockaddr*>(&refused), sizeof refused},
        {AF_INET, reinterpret_cast<sockaddr*>(&listening), sizeof listening},
    };
    for (int i = 0; i < 3; ++i) {
        entries[i].ai_family = parts[i].family;
        entries[i].ai_socktype = SOCK_STREAM;
        entries[i].ai_protocol = IPPROTO_TCP;
        entries[i].ai_addr = parts[i].address;
        entries[i].ai_addrlen = parts[i].size;
        entries[i].ai_next = i < 2 ? &entries[i + 1] : nullptr;
    }
    CTcpStream client;
    ASSERT_TRUE(CTcpConnector().Connect(client, entries, kTwoSeconds));
    CTcpStream server;
    EXPECT_TRUE(listener.Accept(server, kTwoSeconds));
}

TEST(TcpConnector, LocalhostReachesAnIpv4OnlyListener)
{
    // "localhost" may resolve to ::1 first; the IPv4 address must still be tried.
    CTcpListener listener;
    CTcpStream client;
    CTcpStream server;
    ASSERT_TRUE(ConnectPair("localhost", listener, client, server));
    EXPECT_EQ(5, client.SendAll("hello", 5, kTwoSeconds));
    char buffer[16] = {};
    EXPECT_EQ(5, server.Receive(buffer, sizeof buffer, kTwoSeconds));
    EXPECT_STREQ("hello", buffer);

    client.Close();
    EXPECT_EQ(0, server.Receive(buffer, sizeof buffer, kTwoSeconds)) << "a closed peer reads as 0";
}

TEST(TcpConnector, RefusedConnectionFailsWithoutWaitingOut)
{
    CInetAddress address;
    ASSERT_TRUE(address.Set(RefusingPort(), "127.0.0.1"));
    CTcpStream client;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(CTcpConnector().Connect(client, address, CTimeValue::FromMilliseconds(30000)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10))
        << "a refusal must not wait for the whole time-out";
    EXPECT_FALSE(client.IsOpen());
}

TEST(TcpConnector, UnknownHostDoesNotResolve)
{
    CInetAddress address;
    EXPECT_FALSE(address.Set(5011, "no-such-host.invalid"));
    CTcpStream client;
    EXPECT_FALSE(CTcpConnector().Connect(client, address, kTwoSeconds));
}

TEST(TcpStream, SilentPeerTimesOutTheReceive)
{
    CTcpListener listener;
    CTcpStream client;
    CTcpStream server;
    ASSERT_TRUE(ConnectPair("127.0.0.1", listener, client, server));

    char buffer[16];
    EXPECT_EQ(-1, client.Receive(buffer, sizeof buffer, CTimeValue::FromMilliseconds(200)));
    EXPECT_TRUE(client.TimedOut());
}
