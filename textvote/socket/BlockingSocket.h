#pragma once
// Blocking IPv4 sockets: every failure is thrown as a CBlockingSocketException
// and every wait is a select() bounded by a time-out in whole seconds.
// Winsock must already be started in the process; nothing here starts it.

#include <winsock2.h>

#include <memory>
#include <string>

#include "platform/net/UniqueSocket.h"

namespace nsSocket {

class CBlockingSocketException {
public:
    // The code is the one WSAGetLastError() holds now.
    explicit CBlockingSocketException(const wchar_t* operation);
    CBlockingSocketException(const wchar_t* operation, int code);
    virtual ~CBlockingSocketException() = default;

    // "<operation> error 0x<code>", or "<operation> error" when the code is 0.
    virtual std::wstring Message() const;
    // The same into `buffer` (`size` characters with the terminator); the
    // help context, when asked for, is 0.
    virtual bool GetErrorMessage(wchar_t* buffer, unsigned size, unsigned* helpContext = nullptr) const;

    const std::wstring& Operation() const { return m_operation; }
    int Code() const { return m_code; }

private:
    std::wstring m_operation;
    int m_code;
};

class IBlockingSocket {
public:
    virtual ~IBlockingSocket() = default;
    // A new, unopened socket of the same class.
    virtual std::unique_ptr<IBlockingSocket> CreateInstance() const = 0;
    virtual void Create(int type = SOCK_STREAM) = 0;
    // Connects within the time-out; the socket is blocking again afterwards.
    virtual void Connect(const sockaddr_in& address, unsigned timeoutSeconds) = 0;
    virtual void Bind(const sockaddr_in& address) = 0;
    virtual void Listen() = 0;
    // Closes an open handle, ignoring errors; never throws.
    virtual void Cleanup() noexcept = 0;
    // Accepts into `connection` (a socket of the same class). False when the
    // wait was interrupted.
    virtual bool Accept(IBlockingSocket& connection, sockaddr_in* address) = 0;
    virtual void Close() = 0;
    // Sends every byte; returns the count.
    virtual int Write(const char* data, int length, unsigned timeoutSeconds) = 0;
    // One receive of at most `size` bytes; 0 when the peer has closed.
    virtual int Receive(char* buffer, int size, unsigned timeoutSeconds) = 0;
    virtual void GetSockName(sockaddr_in* address) = 0;
    // The Winsock handle, 0 when none is open.
    virtual operator SOCKET() const = 0;
    // Whether a receive would not wait; never waits itself.
    virtual bool CheckReadability() = 0;
    // Resolves within the time-out; a lookup not done by then throws
    // WSAETIMEDOUT.
    virtual sockaddr_in GetHostByName(const wchar_t* name, unsigned short port, unsigned timeoutSeconds) = 0;
    virtual std::wstring GetHostByAddr(const sockaddr_in& address) = 0;
};

class CBlockingSocket : public IBlockingSocket {
public:
    CBlockingSocket() = default;
    CBlockingSocket(const CBlockingSocket&) = delete;
    CBlockingSocket& operator=(const CBlockingSocket&) = delete;
    // An open handle is closed here too, so a forgotten Close leaks nothing.
    ~CBlockingSocket() override = default;

    std::unique_ptr<IBlockingSocket> CreateInstance() const override;
    void Create(int type = SOCK_STREAM) override;
    void Connect(const sockaddr_in& address, unsigned timeoutSeconds) override;
    void Bind(const sockaddr_in& address) override;
    void Listen() override;
    void Cleanup() noexcept override;
    bool Accept(IBlockingSocket& connection, sockaddr_in* address) override;
    void Close() override;
    int Write(const char* data, int length, unsigned timeoutSeconds) override;
    int Receive(char* buffer, int size, unsigned timeoutSeconds) override;
    void GetSockName(sockaddr_in* address) override;
    operator SOCKET() const override { return m_socket ? m_socket.Get() : 0; }
    bool CheckReadability() override;
    sockaddr_in GetHostByName(const wchar_t* name, unsigned short port, unsigned timeoutSeconds) override;
    std::wstring GetHostByAddr(const sockaddr_in& address) override;

    int Send(const char* data, int length, unsigned timeoutSeconds);
    int SendDatagram(const char* data, int length, const sockaddr_in& address, unsigned timeoutSeconds);
    int ReceiveDatagram(char* buffer, int size, sockaddr_in* address, unsigned timeoutSeconds);
    void GetPeerName(sockaddr_in* address);

private:
    UniqueSocket m_socket;
};

// A new CBlockingSocket for callers that have no socket to start from.
std::unique_ptr<IBlockingSocket> CreateDefaultBlockingSocket();

// Waits up to `timeoutSeconds` until `socket` can be read (or accepted on).
// False on time-out; a failing select() throws `operation` with its error.
bool WaitUntilReadable(SOCKET socket, unsigned timeoutSeconds, const wchar_t* operation);

}  // namespace nsSocket
