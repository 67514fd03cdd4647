#pragma once
// A blocking socket connected to a loopback peer that the test drives.

#include <gtest/gtest.h>

#include "testing/net/TcpListener.h"
#include "platform/net/WinsockRuntime.h"
#include "textvote/socket/BlockingSocket.h"

inline sockaddr_in Loopback(unsigned short port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

inline const CTimeValue kPeerWait = CTimeValue::FromMilliseconds(5000);

template <typename Socket>
class ConnectedTo : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The product relies on the host having started Winsock; a test is its own host.
        ASSERT_TRUE(EnsureWinsockStarted());
        ASSERT_TRUE(listener.Open(0));
        socket.Create();
        socket.Connect(Loopback(listener.Port()));
        ASSERT_TRUE(listener.Accept(peer, kPeerWait));
    }
    void TearDown() override { socket.Cleanup(); }

    Socket socket;
    CTcpListener listener;
    CTcpStream peer;
};
