#pragma once
// A blocking socket connected to a loopback peer that the test drives.

#include <gtest/gtest.h>

#include <vector>

#include "testing/net/TcpListener.h"
#include "platform/net/TcpConnector.h"
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
        socket.Connect(Loopback(listener.Port()), 2);
        ASSERT_TRUE(listener.Accept(peer, kPeerWait));
    }
    void TearDown() override { socket.Cleanup(); }

    Socket socket;
    CTcpListener listener;
    CTcpStream peer;
};

// A loopback listener that never accepts, its queue full: the kernel then
// drops every further SYN, so a connect to it is never answered (a blocking
// connect waits minutes).
class CUnansweredListener {
public:
    // False unless the queue was seen full.
    bool Open()
    {
        m_socket.Reset(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        sockaddr_in address = Loopback(0);
        int length = sizeof address;
        if (!m_socket || bind(m_socket.Get(), reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
            listen(m_socket.Get(), 0) != 0 ||
            getsockname(m_socket.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return false;
        m_port = ntohs(address.sin_port);
        CInetAddress target;
        if (!target.Set(m_port, "127.0.0.1"))
            return false;
        // The queue takes one or two connections, as the platform counts the
        // backlog; the first one left unanswered shows it full.
        for (int i = 0; i < 4; ++i) {
            CTcpStream queued;
            if (!CTcpConnector().Connect(queued, target, CTimeValue::FromMilliseconds(1000)))
                return true;
            m_queued.push_back(std::move(queued));
        }
        return false;
    }
    unsigned short Port() const { return m_port; }

private:
    UniqueSocket m_socket;
    unsigned short m_port = 0;
    std::vector<CTcpStream> m_queued;
};
