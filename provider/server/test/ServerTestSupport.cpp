#include "provider/server/test/ServerTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

// Only a failure's bound: ten 2 MB replies to a slow reader took over 10 s
// on a loaded machine.
constexpr DWORD kPumpBoundMs = 60000;

bool PumpUntil(const std::function<bool()>& done)
{
    const DWORD deadline = GetTickCount() + kPumpBoundMs;
    while (!done()) {
        if (static_cast<LONG>(GetTickCount() - deadline) > 0)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return true;
}

void Serve(const std::function<void()>& client)
{
    std::atomic<bool> done{false};
    std::thread thread([&] { client(); done = true; });
    const bool finished = PumpUntil([&] { return done.load(); });
    thread.join();
    EXPECT_TRUE(finished) << "the client did not finish";
}

unsigned short FreeLoopbackPort()
{
    UniqueSocket probe(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (!probe || bind(probe.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(probe.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

Client::Client(unsigned short port, DWORD receiveTimeoutMs)
{
    m_socket.Reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    m_connected = connect(m_socket.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    setsockopt(m_socket.Get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&receiveTimeoutMs),
               sizeof receiveTimeoutMs);
}

void Client::Send(const std::string& bytes)
{
    send(m_socket.Get(), bytes.data(), static_cast<int>(bytes.size()), 0);
}

size_t Client::SendFor(const std::string& bytes, DWORD ms)
{
    u_long nonBlocking = 1;
    ioctlsocket(m_socket.Get(), FIONBIO, &nonBlocking);
    const DWORD start = GetTickCount();
    size_t sent = 0;
    while (sent < bytes.size() && GetTickCount() - start < ms) {
        const int n = send(m_socket.Get(), bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            break;
        fd_set writable;
        FD_ZERO(&writable);
        FD_SET(m_socket.Get(), &writable);
        timeval wait = {0, 50000};
        select(0, nullptr, &writable, nullptr, &wait);
    }
    return sent;
}

void Client::ShutdownSending()
{
    shutdown(m_socket.Get(), SD_SEND);
}

void Client::Close(bool reset)
{
    if (reset) {
        linger abortive = {1, 0};
        setsockopt(m_socket.Get(), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive), sizeof abortive);
    }
    m_socket.Reset();
}

std::string Client::Read(int frames, int chunk, DWORD pauseMs)
{
    std::string received;
    std::vector<char> buffer(static_cast<size_t>(chunk));
    // Frames are counted in what each receive brings: counted over all that
    // came, a reader of megabytes in small pieces falls behind the server.
    for (int seen = 0; seen < frames;) {
        const int n = recv(m_socket.Get(), buffer.data(), chunk, 0);
        if (n <= 0)
            break;
        seen += static_cast<int>(std::count(buffer.data(), buffer.data() + n, '>'));
        received.append(buffer.data(), static_cast<size_t>(n));
        if (pauseMs)
            Sleep(pauseMs);
    }
    return received;
}

bool Client::ClosedByServer()
{
    char byte;
    const int received = recv(m_socket.Get(), &byte, 1, 0);
    if (received == 0)
        return true;
    // A reset is a close too; the receive time-out running out is not.
    const int error = received < 0 ? WSAGetLastError() : 0;
    return error == WSAECONNRESET || error == WSAECONNABORTED;
}
