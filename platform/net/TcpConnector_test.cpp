#include "platform/net/TcpConnector.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/net/TcpListener.h"

namespace {

const CTimeValue kTwoSeconds = CTimeValue::FromMilliseconds(2000);

}  // namespace

TEST(TcpConnector, LocalhostReachesAnIpv4OnlyListener)
{
    // "localhost" may resolve to ::1 first; the IPv4 address must still be tried.
    CTcpListener listener;
    ASSERT_TRUE(listener.Open(0));
    CInetAddress address;
    ASSERT_TRUE(address.Set(listener.Port(), "localhost"));
    CTcpStream client;
    ASSERT_TRUE(CTcpConnector().Connect(client, address, kTwoSeconds));

    CTcpStream server;
    ASSERT_TRUE(listener.Accept(server, kTwoSeconds));
    EXPECT_EQ(5, client.SendAll("hello", 5, kTwoSeconds));
    char buffer[16] = {};
    EXPECT_EQ(5, server.Receive(buffer, sizeof buffer, kTwoSeconds));
    EXPECT_STREQ("hello", buffer);

    client.Close();
    EXPECT_EQ(0, server.Receive(buffer, sizeof buffer, kTwoSeconds)) << "a closed peer reads as 0";
}

TEST(TcpConnector, RefusedConnectionFailsWithoutWaitingOut)
{
    CTcpListener listener;
    ASSERT_TRUE(listener.Open(0));
    const unsigned short port = listener.Port();
    listener.Close();

    CInetAddress address;
    ASSERT_TRUE(address.Set(port, "127.0.0.1"));
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
    ASSERT_TRUE(listener.Open(0));
    CInetAddress address;
    ASSERT_TRUE(address.Set(listener.Port(), "127.0.0.1"));
    CTcpStream client;
    ASSERT_TRUE(CTcpConnector().Connect(client, address, kTwoSeconds));
    CTcpStream server;
    ASSERT_TRUE(listener.Accept(server, kTwoSeconds));

    char buffer[16];
    EXPECT_EQ(-1, client.Receive(buffer, sizeof buffer, CTimeValue::FromMilliseconds(200)));
}
