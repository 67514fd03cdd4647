#include "testing/net/TcpListener.h"

#include <ws2tcpip.h>

#include "platform/net/WinsockRuntime.h"

bool CTcpListener::Open(unsigned short port)
{
    Close();
    m_port = 0;
    if (!EnsureWinsockStarted())
        return false;
    UniqueSocket socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!socket)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (bind(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(socket.Get(), SOMAXCONN) != 0)
        return false;
    int size = sizeof address;
    if (getsockname(socket.Get(), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return false;
    m_port = ntohs(address.sin_port);
    m_socket = std::move(socket);
    return true;
}

bool CTcpListener::Accept(CTcpStream& stream, const CTimeValue& timeout)
{
    if (!m_socket)
        return false;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(m_socket.Get(), &readable);
    timeval wait{timeout.seconds, timeout.microseconds};
    if (select(0, &readable, nullptr, nullptr, &wait) <= 0)
        return false;
    UniqueSocket accepted(accept(m_socket.Get(), nullptr, nullptr));
    if (!accepted)
        return false;
    stream = CTcpStream(std::move(accepted));
    return stream.IsOpen();
}
