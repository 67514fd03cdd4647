#include "bench/loopback/LoopbackFloor.h"

#include <ws2tcpip.h>

#include <vector>

#include "platform/net/WinsockRuntime.h"

namespace {

bool SendAll(SOCKET s, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = send(s, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool ReceiveCount(SOCKET s, size_t count)
{
    std::vector<char> buffer(32768);
    size_t received = 0;
    while (received < count) {
        const int n = recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
        if (n <= 0)
            return false;
        received += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

CLoopbackFloor::CLoopbackFloor(std::string request, std::string reply)
    : m_request(std::move(request)), m_reply(std::move(reply))
{
    if (!EnsureWinsockStarted())
        return;
    UniqueSocket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (!listener || bind(listener.Get(), reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener.Get(), SOMAXCONN) != 0 ||
        getsockname(listener.Get(), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return;
    m_listener = std::move(listener);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

CLoopbackFloor::~CLoopbackFloor()
{
    m_stop = true;
    // One last connection wakes the blocking accept.
    if (m_thread.joinable()) {
        ConnectLoopback(m_port);
        m_thread.join();
    }
}

UniqueSocket CLoopbackFloor::ConnectLoopback(unsigned short port)
{
    UniqueSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (!s || connect(s.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return UniqueSocket();
    return s;
}

bool CLoopbackFloor::RoundTrip() const
{
    UniqueSocket s = ConnectLoopback(m_port);
    return s && SendAll(s.Get(), m_request) && ReceiveCount(s.Get(), m_reply.size());
}

void CLoopbackFloor::Serve()
{
    while (!m_stop) {
        UniqueSocket client(accept(m_listener.Get(), nullptr, nullptr));
        if (m_stop || !client)
            break;
        if (ReceiveCount(client.Get(), m_request.size()))
            SendAll(client.Get(), m_reply);
    }
}
