#include "platform/net/TcpConnector.h"

#include <chrono>

#include "platform/net/NonBlockingConnect.h"

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
    int error = 0;
    if (ConnectNonBlocking(socket.Get(), address.ai_addr, static_cast<int>(address.ai_addrlen),
                           RemainingUntil(deadline), error) != ConnectOutcome::Connected)
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
            stream = CTcpStream(std::move(socket), CTcpStream::NonBlocking{});
            return stream.IsOpen();
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
    }
    return false;
}
