#include "platform/net/TcpStream.h"

#include <chrono>

CTcpStream::CTcpStream(UniqueSocket socket) : m_socket(std::move(socket))
{
    u_long nonBlocking = 1;
    if (m_socket && ioctlsocket(m_socket.Get(), FIONBIO, &nonBlocking) != 0)
        m_socket.Reset();
}

int CTcpStream::SendAll(const char* data, int length, const CTimeValue& timeout)
{
    if (!IsOpen())
        return 0;
    const auto deadline = std::chrono::steady_clock::now() + timeout.Duration();
    int sent = 0;
    while (sent < length) {
        const int n = send(m_socket.Get(), data + sent, length - sent, 0);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK)
            break;
        fd_set writable;
        FD_ZERO(&writable);
        FD_SET(m_socket.Get(), &writable);
        timeval wait = RemainingUntil(deadline);
        if (select(0, nullptr, &writable, nullptr, &wait) <= 0)
            break;
    }
    return sent;
}

int CTcpStream::Receive(char* buffer, int capacity, const CTimeValue& timeout)
{
    m_timedOut = false;
    if (!IsOpen() || capacity <= 0)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + timeout.Duration();
    for (;;) {
        const int n = recv(m_socket.Get(), buffer, capacity, 0);
        if (n >= 0)
            return n;
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            return -1;
        // Nothing yet: wait for what is left of the time-out (a wake-up
        // may still find nothing, so the loop asks recv again).
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_socket.Get(), &readable);
        timeval wait = RemainingUntil(deadline);
        const int ready = select(0, &readable, nullptr, nullptr, &wait);
        if (ready <= 0) {
            m_timedOut = ready == 0;
            return -1;
        }
    }
}
