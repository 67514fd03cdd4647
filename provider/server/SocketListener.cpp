#include "provider/server/SocketListener.h"

#include <algorithm>

#include "common/providerwire/ProviderFrame.h"
#include "provider/ProgramLog.h"

namespace {

// One send call takes at most this much of a reply.
constexpr size_t kSendChunk = 0x100000;

}  // namespace

CServerSocket::CServerSocket(CSocketListener* listener) : m_listener(listener), m_lastActivity(GetTickCount()) {}

void CServerSocket::OnReceive(int)
{
    // Back-pressure: while a reply is in flight the next request stays
    // unread, in the peer's send buffer rather than in this program.
    if (ReplyInFlight()) {
        m_readSkipped = true;
        return;
    }
    if (!ReceiveAndAnswer())
        RemoveSelf();
}

void CServerSocket::OnSend(int)
{
    if (!SendPending()) {
        RemoveSelf();
        return;
    }
    if (ReplyInFlight())
        return;
    // The reply is out: answer what is buffered, then read again if a read
    // notification was skipped meanwhile. Every new connection is writable at
    // once, and a receive is a round trip to Wine's server: none is made for
    // nothing.
    if (!AnswerBuffered() || (!ReplyInFlight() && m_readSkipped && !ReceiveAndAnswer()))
        RemoveSelf();
}

void CServerSocket::OnClose(int error)
{
    // What a peer sent before it closed is answered as far as the replies
    // go out whole; a reset leaves nobody to answer. Under Wine no read
    // notification may come for it. Asking how much waits costs less than a
    // receive, and a bare connect-and-close has nothing waiting.
    if (error == 0 && HasUnreadBytes()) {
        bool gotBytes = true;
        while (AnswerBuffered() && !ReplyInFlight() && gotBytes && ReceiveChunk(gotBytes)) {
        }
    }
    if (ReplyInFlight())
        LogMessage(L"Client closed the connection: %u reply bytes not sent",
                   static_cast<unsigned>(m_pending.size() - m_sent));
    RemoveSelf();
}

bool CServerSocket::ReceiveAndAnswer()
{
    bool gotBytes = false;
    return ReceiveChunk(gotBytes) && AnswerBuffered();
}

bool CServerSocket::ReceiveChunk(bool& gotBytes)
{
    char buffer[kReceiveChunk];
    const int received = Receive(buffer, sizeof buffer);
    // Zero is the peer's close (its notification follows); an error here is
    // mostly a spurious notification (WSAEWOULDBLOCK), a reset comes as a close.
    gotBytes = received > 0;
    m_readSkipped = false;
    if (!gotBytes)
        return true;
    m_lastActivity = GetTickCount();
    if (!m_requestOpen) {
        m_requestOpen = true;
        m_requestStart = m_lastActivity;
    }
    m_received.Append(buffer, static_cast<size_t>(received));
    if (m_received.Overflowed()) {
        LogMessage(L"Closed a connection whose request passed %u bytes", static_cast<unsigned>(kMaxFrameBytes));
        return false;
    }
    return true;
}

bool CServerSocket::AnswerBuffered()
{
    std::string payload;
    while (!ReplyInFlight() && m_received.NextPayload(payload)) {
        m_requestOpen = false;
        std::string frame = EncodeProviderFrame(AnswerRequest(payload, m_listener->Runner()));
        if (frame.size() > kMaxReplyBytes) {
            LogMessage(L"A reply of %u bytes is over the limit of %u bytes: the bare reply is sent",
                       static_cast<unsigned>(frame.size()), static_cast<unsigned>(kMaxReplyBytes));
            frame = EncodeProviderFrame(BareReplyText());
        }
        m_pending = std::move(frame);
        m_sent = 0;
        if (!SendPending())
            return false;
    }
    return true;
}

bool CServerSocket::SendPending()
{
    while (ReplyInFlight()) {
        const size_t left = m_pending.size() - m_sent;
        const int sent = Send(m_pending.data() + m_sent, static_cast<int>(std::min(left, kSendChunk)));
        if (sent == SOCKET_ERROR) {
            const int error = WSAGetLastError();
            if (error == WSAEWOULDBLOCK)
                return true;   // the rest goes on the next write notification
            LogMessage(L"Send failed with error %d: %u reply bytes not sent", error, static_cast<unsigned>(left));
            std::string().swap(m_pending);
            m_sent = 0;
            return false;
        }
        if (sent == 0)
            return true;
        m_lastActivity = GetTickCount();
        m_sent += static_cast<size_t>(sent);
    }
    // A multi-megabyte reply is freed as soon as it is out.
    std::string().swap(m_pending);
    m_sent = 0;
    return true;
}

const wchar_t* CServerSocket::ExpiredReason(DWORD now, DWORD timeoutMs) const
{
    if (now - m_lastActivity >= timeoutMs)
        return L"Closed a connection idle for %u ms";
    // A client being answered has no request open: the next one is read
    // only once the reply is out.
    if (m_requestOpen && now - m_requestStart >= timeoutMs)
        return L"Closed a connection that sent no whole request within %u ms";
    return nullptr;
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
    // Expired connections are looked for several times per time-out.
    StartTimer(std::clamp<DWORD>(m_idleTimeoutMs / 4, 10, 1000));
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
            if (m_acceptHeld)
                AcceptPending();
            return;
        }
    }
}

void CSocketListener::OnAccept(int)
{
    // The timer's message comes only when no other waits, so under traffic
    // the slots of expired connections are freed here too.
    CloseExpiredClients();
    AcceptPending();
}

void CSocketListener::AcceptPending()
{
    if (!IsOpen())
        return;
    // Every pending connection is taken while there is room: under Wine one
    // that arrives before the accept of the previous notification gets no
    // notification of its own, so it would wait in the backlog of 5 until
    // another comes. Past the limit a connection stays pending; it is taken
    // as soon as a slot frees.
    while (m_clients.size() < kMaxClients) {
        auto client = std::make_unique<CServerSocket>(this);
        if (!Accept(*client)) {
            m_acceptHeld = false;
            return;  // none left (or a failed accept: nothing listed)
        }
        m_clients.push_front(std::move(client));
    }
    m_acceptHeld = true;
}

void CSocketListener::OnTimer()
{
    CloseExpiredClients();
    // Under Wine an accept notification can go missing; its connection then
    // waits one tick instead of for ever.
    AcceptPending();
}

void CSocketListener::CloseExpiredClients()
{
    const DWORD now = GetTickCount();
    const size_t before = m_clients.size();
    for (auto it = m_clients.begin(); it != m_clients.end();) {
        if (const wchar_t* reason = (*it)->ExpiredReason(now, m_idleTimeoutMs)) {
            LogMessage(reason, static_cast<unsigned>(m_idleTimeoutMs));
            it = m_clients.erase(it);
        } else {
            ++it;
        }
    }
    if (m_clients.size() < before && m_acceptHeld)
        AcceptPending();
}
