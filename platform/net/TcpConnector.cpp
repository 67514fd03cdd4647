#include "platform/net/TcpConnector.h"

#include <chrono>

namespace {

// Connects one socket without blocking past `deadline`.
UniqueSocket ConnectOne(const addrinfo& address, std::chrono::steady_clock::time_point deadline)
{
    UniqueSocket socket(::socket(address.ai_family, address.ai_socktype, address.ai_protocol));
    if (!socket)
        return UniqueSocket();
    u_long nonBlocking = 1;
    if (ioctlsocket(socket.Get(), FIONBIO, &nonBlocking) != 0)
        return UniqueSocket();
    if (connect(socket.Get(), address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0)
        return socket;
    if (WSAGetLastError() != WSAEWOULDBLOCK)
        return UniqueSocket();

    // A refused connect shows up in the except set, not the write set.
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket.Get(), &writable);
    FD_SET(socket.Get(), &failed);
    timeval wait = RemainingUntil(deadline);
    if (select(0, nullptr, &writable, &failed, &wait) <= 0 || FD_ISSET(socket.Get(), &failed))
        return UniqueSocket();
    int error = 0;
    int size = sizeof error;
    if (getsockopt(socket.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 || error != 0)
        return UniqueSocket();
    return socket;
}

}  // namespace

bool CTcpConnector::Connect(CTcpStream& stream, const CInetAddress& address, const CTimeValue& timeout)
{
    return Connect(stream, address.First(), timeout);
}

bool CTcpConnector::Connect(CTcpStream& stream, const addrinfo* addresses, const CTimeValue& timeout)
{
    stream.Close();
    const auto deadline = std::chrono::steady_clock::now() + timeout.Duration();
    for (const addrinfo* entry = addresses; entry; entry = entry->ai_next) {
        UniqueSocket socket = ConnectOne(*entry, deadline);
        if (socket) {
            stream = CTcpStream(std::move(socket));
            return stream.IsOpen();
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
    }
    return false;
}
