#pragma once
// The provider program's TCP server: a listener and its client connections,
// all on the user-interface thread. Each complete request frame is answered
// inside the notification that completed it.
//
// No peer may keep resources it does not use: a connection holds at most one
// reply in flight (its next request is read only once that reply is out), a
// close, a reset or a send error frees it at once, and one on which nothing
// moved for the idle time-out is closed. A request must also arrive whole
// within that time of its first byte: a peer dripping a byte now and then is
// never idle, yet holds a slot for nothing.

#include <list>
#include <memory>
#include <string>

#include "platform/asyncsock/AsyncSocket.h"
#include "common/providerwire/ProviderFrameCutter.h"
#include "provider/server/RequestDispatch.h"

class CSocketListener;

class CServerSocket : public AsyncSocket {
public:
    static constexpr int kReceiveChunk = 8100;
    // A request is under a kilobyte: an open frame longer than this cuts the
    // connection off before anything is parsed.
    static constexpr size_t kMaxFrameBytes = 64 * 1024;
    // The largest reply frame a connection holds; a larger one is replaced by
    // the bare reply.
    static constexpr size_t kMaxReplyBytes = 8 * 1024 * 1024;

    explicit CServerSocket(CSocketListener* listener);

    // Why the listener's check closes this connection now, or nullptr: nothing
    // moved for `timeoutMs`, or a request begun that long ago is not whole.
    const wchar_t* ExpiredReason(DWORD now, DWORD timeoutMs) const;

protected:
    void OnReceive(int error) override;
    void OnSend(int error) override;
    void OnClose(int error) override;

private:
    // Each returns false when the connection must go; the reason is logged.
    bool ReceiveAndAnswer();
    bool ReceiveChunk(bool& gotBytes);
    bool AnswerBuffered();
    bool SendPending();
    bool ReplyInFlight() const { return m_sent < m_pending.size(); }
    void RemoveSelf();

    CSocketListener* m_listener;
    CProviderFrameCutter m_received{kMaxFrameBytes};
    std::string m_pending;   // the reply frame in flight
    size_t m_sent = 0;       // bytes of it the socket has taken
    DWORD m_lastActivity;    // GetTickCount of the last byte that moved, either way
    // A read notification came while a reply was in flight: it comes back
    // only after a receive, so the end of the reply makes one.
    bool m_readSkipped = false;
    bool m_requestOpen = false;   // bytes arrived since the last whole request
    DWORD m_requestStart = 0;     // GetTickCount of the first of them
};

class CSocketListener : public AsyncSocket {
public:
    static constexpr size_t kMaxClients = 11;
    static constexpr DWORD kIdleTimeoutMs = 30000;

    explicit CSocketListener(RequestRunner run);
    ~CSocketListener() override;

    // Listens on `port` (0: any free port) with a backlog of 5 and logs the
    // outcome to the program log with the port actually bound. False when it
    // is not listening.
    bool StartListening(unsigned short port);
    // Takes effect at the next StartListening.
    void SetIdleTimeout(DWORD idleTimeoutMs) { m_idleTimeoutMs = idleTimeoutMs; }
    void CloseAllClients();
    // Logs "Shutdown Server Port", closes every client and the listening socket.
    void Shutdown();

    // Deletes the client; the caller must not touch it afterwards.
    void RemoveClient(CServerSocket* client);
    size_t ClientCount() const { return m_clients.size(); }
    int Port() const { return m_port; }

    const RequestRunner& Runner() const { return m_run; }

protected:
    void OnAccept(int error) override;
    void OnTimer() override;

private:
    void CloseExpiredClients();
    // Takes pending connections while fewer than kMaxClients are listed.
    void AcceptPending();

    RequestRunner m_run;
    DWORD m_idleTimeoutMs = kIdleTimeoutMs;
    std::list<std::unique_ptr<CServerSocket>> m_clients;  // newest first
    int m_port = 0;
    // A connection was left pending for want of a slot: it gets no further
    // accept notification, so the next free slot takes it.
    bool m_acceptHeld = false;
};
