#include "provider/server/SocketListener.h"

#include "common/providerwire/ProviderFrame.h"
#include "provider/ProgramLog.h"

CServerSocket::CServerSocket(CSocketListener* listener) : m_listener(listener) {}

void CServerSocket::ProcessReceived(const char* bytes, size_t count)
{
    m_received.Append(bytes, count);
    std::string payload;
    while (m_received.NextPayload(payload))
        QueueReply(EncodeProviderFrame(AnswerRequest(payload, m_listener->Runner())));
}

void CServerSocket::OnReceive(int)
{
    char buffer[kReceiveChunk];
    const int received = Receive(buffer, sizeof buffer);
    if (received <= 0)
        return;  // spurious notifications (WSAEWOULDBLOCK) happen
    ProcessReceived(buffer, static_cast<size_t>(received));
    if (m_received.Overflowed())
        RemoveSelf();
}

void CServerSocket::OnSend(int)
{
    SendPending();
    if (m_peerClosed && m_pending.empty())
        RemoveSelf();
}

void CServerSocket::OnClose(int)
{
    char buffer[kReceiveChunk];
    for (;;) {
        const int received = Receive(buffer, sizeof buffer);
        if (received <= 0)
            break;
        ProcessReceived(buffer, static_cast<size_t>(received));
    }
    // A peer that only shut down its sending side still reads the reply.
    m_peerClosed = true;
    if (m_pending.empty() || m_received.Overflowed())
        RemoveSelf();
}

void CServerSocket::QueueReply(const std::string& frame)
{
    m_pending += frame;
    SendPending();
}

void CServerSocket::SendPending()
{
    while (!m_pending.empty()) {
        const int chunk = m_pending.size() > 0x100000 ? 0x100000 : static_cast<int>(m_pending.size());
        const int sent = Send(m_pending.data(), chunk);
        if (sent <= 0)
            return;  // the rest goes on the next FD_WRITE
        m_pending.erase(0, static_cast<size_t>(sent));
    }
}

void CServerSocket::RemoveSelf()
{
    m_listener->RemoveClient(this);
}

CSocketListener::CSocketListener(RequestRunner run) : m_run(std::move(run)) {}

CSocketListener::~CSocketListener()
{
    CloseAllClients();
}

bool CSocketListener::StartListening(unsigned short port)
{
    if (!Create(port)) {
        LogMessage(L"Cannot create server on port %d", port);
        return false;
    }
    if (!Listen(5)) {
        LogMessage(L"Failure staring listener on port %d", port);
        Close();
        return false;
    }
    m_port = LocalPort();
    LogMessage(L"Server started on port %d", m_port);
    return true;
}

void CSocketListener::CloseAllClients()
{
    m_clients.clear();  // each connection closes its socket as it goes
}

void CSocketListener::Shutdown()
{
    LogMessage(L"Shutdown Server Port");
    CloseAllClients();
    Close();
}

void CSocketListener::RemoveClient(CServerSocket* client)
{
    for (auto it = m_clients.begin(); it != m_clients.end(); ++it) {
        if (it->get() == client) {
            m_clients.erase(it);
            return;
        }
    }
}

void CSocketListener::OnAccept(int)
{
    if (LocalPort() != m_port)
        return;
    auto client = std::make_unique<CServerSocket>(this);
    if (!Accept(*client))
        return;  // nothing listed for a failed accept
    // Past the limit the connection is accepted and closed at once: a
    // connection left pending would stop all later accept notifications.
    if (m_clients.size() >= kMaxClients)
        return;
    m_clients.push_front(std::move(client));
}
