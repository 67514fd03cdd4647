#pragma once
// Non-blocking sockets whose events arrive as window messages on the thread
// that created them (WSAAsyncSelect on a per-thread message-only window).
// A notification or timer tick is delivered only while its socket object is
// registered: an object deleted inside its own handler is never touched again.

#include <winsock2.h>

#include <string>

#include "platform/net/UniqueSocket.h"

class AsyncSocket {
public:
    static constexpr long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

    AsyncSocket() = default;
    AsyncSocket(const AsyncSocket&) = delete;
    AsyncSocket& operator=(const AsyncSocket&) = delete;
    virtual ~AsyncSocket();

    // A stream socket bound to `port` on every local address (0: any port).
    bool Create(unsigned short port, long events = kAllEvents);
    bool Listen(int backlog);
    // Accepts one pending connection into `connection`, which then gets the
    // same notifications as this socket asked for.
    bool Accept(AsyncSocket& connection);
    bool AsyncSelect(long events);
    // The port the socket is bound to; 0 when it has none.
    unsigned short LocalPort() const;
    // recv/send: bytes moved, or SOCKET_ERROR with the code in WSAGetLastError.
    int Receive(void* buffer, int length);
    int Send(const void* data, int length);
    // Whether a receive would return bytes now; true when it cannot be told.
    bool HasUnreadBytes() const;
    // Stops notifications and closes; harmless when already closed.
    void Close();
    // OnTimer every `intervalMs` on this thread until StopTimer or Close.
    bool StartTimer(UINT intervalMs);
    void StopTimer();

    SOCKET Handle() const { return m_socket.Get(); }
    bool IsOpen() const { return static_cast<bool>(m_socket); }

protected:
    virtual void OnAccept(int /*error*/) {}
    virtual void OnConnect(int /*error*/) {}
    virtual void OnReceive(int /*error*/) {}
    virtual void OnSend(int /*error*/) {}
    virtual void OnOutOfBandData(int /*error*/) {}
    virtual void OnClose(int /*error*/) {}
    virtual void OnTimer() {}

private:
    friend class SocketNotifications;
    void Dispatch(long event, int error);

    UniqueSocket m_socket;
    long m_events = 0;
    bool m_acceptNotified = false;
    bool m_timerRunning = false;   // its id is the socket handle
};
