#pragma once
// The provider program's TCP server: a listener and its client connections,
// all on the user-interface thread. Each complete request frame is answered
// inside the notification that completed it.

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
    // An open frame longer than this cuts the connection off.
    static constexpr size_t kMaxFrameBytes = 1024 * 1024;

    explicit CServerSocket(CSocketListener* listener);

    // Answers every complete frame among the received bytes, in order.
    void ProcessReceived(const char* bytes, size_t count);

protected:
    void OnReceive(int error) override;
    void OnSend(int error) override;
    void OnClose(int error) override;

private:
    void QueueReply(const std::string& frame);
    void SendPending();
    void RemoveSelf();

    CSocketListener* m_listener;
    CProviderFrameCutter m_received{kMaxFrameBytes};
    std::string m_pending;      // reply bytes the socket has not taken yet
    bool m_peerClosed = false;  // close once the pending bytes are out
};

class CSocketListener : public AsyncSocket {
public:
    static constexpr size_t kMaxClients = 11;

    explicit CSocketListener(RequestRunner run);
    ~CSocketListener() override;

    // Listens on `port` (0: any free port) with a backlog of 5 and logs the
    // outcome to the program log with the port actually bound. False when it
    // is not listening.
    bool StartListening(unsigned short port);
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

private:
    RequestRunner m_run;
    std::list<std::unique_ptr<CServerSocket>> m_clients;  // newest first
    int m_port = 0;
};
