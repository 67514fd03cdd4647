#include "textvote/socket/BlockingSocket.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>
#include <optional>

#include "base/text/TextConversion.h"
#include "base/text/WideFormat.h"
#include "platform/net/InetAddress.h"
#include "platform/net/NonBlockingConnect.h"

namespace nsSocket {

namespace {

const int kAddressLength = sizeof(sockaddr_in);

timeval Seconds(unsigned seconds)
{
    timeval wait{};
    wait.tv_sec = seconds > static_cast<unsigned>(LONG_MAX) ? LONG_MAX : static_cast<long>(seconds);
    return wait;
}

enum class WaitFor { Reading, Writing };

// A failing select() is thrown, never followed by a call that could block.
bool Wait(SOCKET socket, WaitFor what, unsigned timeoutSeconds, const wchar_t* operation)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    const bool reading = what == WaitFor::Reading;
    timeval wait = Seconds(timeoutSeconds);
    const int ready = select(0, reading ? &set : nullptr, reading ? nullptr : &set, nullptr, &wait);
    if (ready == SOCKET_ERROR)
        throw CBlockingSocketException(operation);
    return ready > 0;
}

void WaitOrThrow(SOCKET socket, WaitFor what, unsigned timeoutSeconds, const wchar_t* timeoutName,
                 const wchar_t* operation)
{
    // A time-out has no Winsock error; a stale one must not show.
    if (!Wait(socket, what, timeoutSeconds, operation))
        throw CBlockingSocketException(timeoutName, 0);
}

bool SetBlocking(SOCKET socket, bool blocking)
{
    u_long nonBlocking = blocking ? 0 : 1;
    return ioctlsocket(socket, FIONBIO, &nonBlocking) == 0;
}

// Connects a non-blocking socket, waiting for the outcome up to the time-out.
void ConnectWithin(SOCKET socket, const sockaddr_in& address, unsigned timeoutSeconds)
{
    int error = 0;
    switch (ConnectNonBlocking(socket, reinterpret_cast<const sockaddr*>(&address), kAddressLength,
                               Seconds(timeoutSeconds), error)) {
    case ConnectOutcome::Connected:
        return;
    case ConnectOutcome::TimedOut:
        // A time-out has no Winsock error; a stale one must not show.
        throw CBlockingSocketException(L"Connect timeout", 0);
    case ConnectOutcome::Failed:
        break;
    }
    throw CBlockingSocketException(L"Connect", error);
}

}  // namespace

CBlockingSocketException::CBlockingSocketException(const wchar_t* operation)
    : CBlockingSocketException(operation, WSAGetLastError())
{
}

CBlockingSocketException::CBlockingSocketException(const wchar_t* operation, int code)
    : m_operation(operation ? operation : L""), m_code(code)
{
}

std::wstring CBlockingSocketException::Message() const
{
    wchar_t text[512];
    GetErrorMessage(text, sizeof text / sizeof text[0]);
    return text;
}

bool CBlockingSocketException::GetErrorMessage(wchar_t* buffer, unsigned size, unsigned* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!buffer || size == 0)
        return false;
    const std::wstring text = m_code == 0
                                  ? FormatWide(L"%s error", m_operation.c_str())
                                  : FormatWide(L"%s error 0x%08x", m_operation.c_str(), static_cast<unsigned>(m_code));
    const size_t length = std::min<size_t>(text.size(), size - 1);
    wmemcpy(buffer, text.data(), length);
    buffer[length] = L'\0';
    return true;
}

std::unique_ptr<IBlockingSocket> CBlockingSocket::CreateInstance() const
{
    return std::make_unique<CBlockingSocket>();
}

void CBlockingSocket::Create(int type)
{
    m_socket.Reset(socket(AF_INET, type, 0));
    if (!m_socket)
        throw CBlockingSocketException(L"Create");
}

void CBlockingSocket::Connect(const sockaddr_in& address, unsigned timeoutSeconds)
{
    // A blocking connect() towards a host that drops the SYN waits minutes:
    // only a non-blocking one can be bounded.
    if (!SetBlocking(*this, false))
        throw CBlockingSocketException(L"Connect");
    try {
        ConnectWithin(*this, address, timeoutSeconds);
    } catch (const CBlockingSocketException&) {
        // The owner still closes this socket, and every other call expects it blocking.
        SetBlocking(*this, true);
        throw;
    }
    if (!SetBlocking(*this, true))
        throw CBlockingSocketException(L"Connect");
}

void CBlockingSocket::Bind(const sockaddr_in& address)
{
    if (bind(*this, reinterpret_cast<const sockaddr*>(&address), kAddressLength) == SOCKET_ERROR)
        throw CBlockingSocketException(L"Bind");
}

void CBlockingSocket::Listen()
{
    if (listen(*this, 5) == SOCKET_ERROR)
        throw CBlockingSocketException(L"Listen");
}

void CBlockingSocket::Cleanup() noexcept
{
    m_socket.Reset();
}

bool CBlockingSocket::Accept(IBlockingSocket& connection, sockaddr_in* address)
{
    auto* target = dynamic_cast<CBlockingSocket*>(&connection);
    if (!target)
        throw CBlockingSocketException(L"Accept", WSAEINVAL);
    sockaddr_in peer{};
    int length = kAddressLength;
    const SOCKET accepted = accept(*this, reinterpret_cast<sockaddr*>(&peer), &length);
    if (accepted == INVALID_SOCKET) {
        if (WSAGetLastError() == WSAEINTR)
            return false;
        throw CBlockingSocketException(L"Accept");
    }
    target->m_socket.Reset(accepted);
    if (address)
        *address = peer;
    return true;
}

void CBlockingSocket::Close()
{
    if (!m_socket)
        return;
    const SOCKET handle = m_socket.Detach();
    if (closesocket(handle) == SOCKET_ERROR)
        throw CBlockingSocketException(L"Close");
}

int CBlockingSocket::Send(const char* data, int length, unsigned timeoutSeconds)
{
    WaitOrThrow(*this, WaitFor::Writing, timeoutSeconds, L"Send timeout", L"Send");
    const int sent = send(*this, data, length, 0);
    if (sent == SOCKET_ERROR)
        throw CBlockingSocketException(L"Send");
    return sent;
}

int CBlockingSocket::Write(const char* data, int length, unsigned timeoutSeconds)
{
    int written = 0;
    do {
        const int sent = Send(data + written, length - written, timeoutSeconds);
        if (sent == 0 && written < length)
            throw CBlockingSocketException(L"Send", 0);
        written += sent;
    } while (written < length);
    return written;
}

int CBlockingSocket::Receive(char* buffer, int size, unsigned timeoutSeconds)
{
    WaitOrThrow(*this, WaitFor::Reading, timeoutSeconds, L"Receive timeout", L"Receive");
    const int received = recv(*this, buffer, size, 0);
    if (received == SOCKET_ERROR)
        throw CBlockingSocketException(L"Receive");
    return received;
}

int CBlockingSocket::SendDatagram(const char* data, int length, const sockaddr_in& address,
                                  unsigned timeoutSeconds)
{
    WaitOrThrow(*this, WaitFor::Writing, timeoutSeconds, L"Send timeout", L"SendDatagram");
    const int sent = sendto(*this, data, length, 0, reinterpret_cast<const sockaddr*>(&address), kAddressLength);
    if (sent == SOCKET_ERROR)
        throw CBlockingSocketException(L"SendDatagram");
    return sent;
}

int CBlockingSocket::ReceiveDatagram(char* buffer, int size, sockaddr_in* address, unsigned timeoutSeconds)
{
    WaitOrThrow(*this, WaitFor::Reading, timeoutSeconds, L"Receive timeout", L"ReceiveDatagram");
    sockaddr_in from{};
    int length = kAddressLength;
    const int received = recvfrom(*this, buffer, size, 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (received == SOCKET_ERROR)
        throw CBlockingSocketException(L"ReceiveDatagram");
    if (address)
        *address = from;
    return received;
}

void CBlockingSocket::GetPeerName(sockaddr_in* address)
{
    int length = kAddressLength;
    if (getpeername(*this, reinterpret_cast<sockaddr*>(address), &length) == SOCKET_ERROR)
        throw CBlockingSocketException(L"GetPeerName");
}

void CBlockingSocket::GetSockName(sockaddr_in* address)
{
    int length = kAddressLength;
    if (getsockname(*this, reinterpret_cast<sockaddr*>(address), &length) == SOCKET_ERROR)
        throw CBlockingSocketException(L"GetSockName");
}

bool CBlockingSocket::CheckReadability()
{
    return Wait(*this, WaitFor::Reading, 0, L"Socket Error");
}

sockaddr_in CBlockingSocket::GetHostByName(const wchar_t* name, unsigned short port, unsigned timeoutSeconds)
{
    const std::optional<std::string> host = name ? ExactWideToNarrow(name, CP_ACP) : std::nullopt;
    if (!host)
        throw CBlockingSocketException(L"GetHostByName", WSAHOST_NOT_FOUND);
    // Short of INFINITE, which would be no bound at all.
    const DWORD timeoutMs = timeoutSeconds < MAXDWORD / 1000 ? timeoutSeconds * 1000 : MAXDWORD - 1;
    CInetAddress resolved;
    if (!resolved.Set(port, *host, AF_INET, timeoutMs))
        throw CBlockingSocketException(L"GetHostByName", resolved.Error());
    sockaddr_in address{};
    memcpy(&address, resolved.First()->ai_addr, sizeof address);
    return address;
}

std::wstring CBlockingSocket::GetHostByAddr(const sockaddr_in& address)
{
    char host[NI_MAXHOST];
    sockaddr_in query = address;
    query.sin_family = AF_INET;
    const int error = getnameinfo(reinterpret_cast<const sockaddr*>(&query), kAddressLength, host, sizeof host,
                                  nullptr, 0, NI_NAMEREQD);
    if (error != 0)
        throw CBlockingSocketException(L"GetHostByAddr", error);
    return NarrowToWide(host, CP_ACP);
}

std::unique_ptr<IBlockingSocket> CreateDefaultBlockingSocket()
{
    return std::make_unique<CBlockingSocket>();
}

bool WaitUntilReadable(SOCKET socket, unsigned timeoutSeconds, const wchar_t* operation)
{
    return Wait(socket, WaitFor::Reading, timeoutSeconds, operation);
}

}  // namespace nsSocket
