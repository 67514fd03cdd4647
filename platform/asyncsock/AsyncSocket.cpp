#include "platform/asyncsock/AsyncSocket.h"

#include <windows.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "platform/net/WinsockRuntime.h"

namespace {
constexpr UINT kSocketMessage = WM_APP + 0x51;
// Brings the window back to notifications left waiting when one turn ended.
constexpr UINT kServeWaiting = WM_APP + 0x52;
// Notifications served in one turn of the message loop: posted messages for
// other windows (log lines among them) get their turn between.
constexpr size_t kServedPerTurn = 32;

// Lower is served first. A close frees a slot and an accept takes one; both
// are cheap, while a read may run a script. Served in arrival order, a peer
// that left would hold its slot behind every script queued before its close.
int Urgency(LPARAM lParam)
{
    switch (WSAGETSELECTEVENT(lParam)) {
    case FD_CLOSE: return 0;
    case FD_ACCEPT: return 1;
    default: return 2;
    }
}
}  // namespace

// The message-only window of one thread and the map from socket to object.
class SocketNotifications {
public:
    static SocketNotifications* ForThisThread()
    {
        thread_local SocketNotifications notifications;
        return notifications.m_window ? &notifications : nullptr;
    }

    HWND Window() const { return m_window.Get(); }
    void Register(AsyncSocket* socket) { m_sockets[socket->Handle()] = socket; }
    void Unregister(AsyncSocket* socket)
    {
        const SOCKET handle = socket->Handle();
        const auto it = m_sockets.find(handle);
        if (it == m_sockets.end() || it->second != socket)
            return;
        m_sockets.erase(it);
        // What waits for the handle is the closed socket's: the next socket
        // given the same handle must not get it.
        m_waiting.erase(std::remove_if(m_waiting.begin(), m_waiting.end(),
                                       [handle](const Posted& posted) { return posted.socket == handle; }),
                        m_waiting.end());
    }

private:
    struct Posted {
        SOCKET socket;
        LPARAM lParam;
    };

    SocketNotifications()
    {
        static const wchar_t kClassName[] = L"AsyncSocketNotifications";
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &SocketNotifications::WindowProc;
        windowClass.hInstance = ModuleHandle();
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass);  // fails harmlessly when another thread registered it
        m_window.Reset(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       ModuleHandle(), nullptr));
        if (m_window)
            SetWindowLongPtrW(m_window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    static HINSTANCE ModuleHandle()
    {
        HMODULE module = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&SocketNotifications::WindowProc), &module);
        return module;
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != kSocketMessage && message != kServeWaiting && message != WM_TIMER)
            return DefWindowProcW(window, message, wParam, lParam);
        auto* self = reinterpret_cast<SocketNotifications*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!self)
            return 0;
        // No C++ exception may unwind through the window manager: a handler
        // that runs out of memory loses this notification, not the program.
        try {
            if (message == WM_TIMER) {
                self->Deliver(static_cast<SOCKET>(wParam), [](AsyncSocket* socket) { socket->OnTimer(); });
                return 0;
            }
            if (message == kSocketMessage)
                self->m_waiting.push_back({static_cast<SOCKET>(wParam), lParam});
            else
                self->m_servePosted = false;
            self->ServeWaiting();
        } catch (...) {
        }
        return 0;
    }

    template <typename Handler>
    void Deliver(SOCKET socket, Handler handler)
    {
        const auto it = m_sockets.find(socket);
        if (it != m_sockets.end())
            handler(it->second);
    }

    // Serves the most urgent notification first. Before a read, which may
    // run a script, it takes what was posted since the last read: a close or
    // an accept queued behind goes ahead. Only a read takes long enough for
    // much to arrive, and a look that finds the queue empty costs as much as
    // a message, so the queue is not looked at again before the next read.
    // Other notifications come in arrival order from the message loop.
    // Handlers may pump messages and so re-enter here; each entry is off the
    // list before it is served.
    void ServeWaiting()
    {
        for (size_t served = 0; served < kServedPerTurn && !m_waiting.empty(); ++served) {
            auto next = MostUrgent();
            if (m_readSinceTaken && WSAGETSELECTEVENT(next->lParam) == FD_READ) {
                TakePosted();
                m_readSinceTaken = false;
                next = MostUrgent();
            }
            const Posted notification = *next;
            m_waiting.erase(next);
            const long event = WSAGETSELECTEVENT(notification.lParam);
            if (event == FD_READ)
                m_readSinceTaken = true;
            Deliver(notification.socket, [&](AsyncSocket* socket) {
                socket->Dispatch(event, WSAGETSELECTERROR(notification.lParam));
            });
        }
        if (!m_waiting.empty() && !m_servePosted)
            m_servePosted = PostMessageW(m_window.Get(), kServeWaiting, 0, 0) != FALSE;
    }

    // The first of the most urgent; the list is not empty.
    std::deque<Posted>::iterator MostUrgent()
    {
        return std::min_element(m_waiting.begin(), m_waiting.end(), [](const Posted& a, const Posted& b) {
            return Urgency(a.lParam) < Urgency(b.lParam);
        });
    }

    void TakePosted()
    {
        MSG message;
        while (PeekMessageW(&message, m_window.Get(), kSocketMessage, kSocketMessage, PM_REMOVE))
            m_waiting.push_back({static_cast<SOCKET>(message.wParam), message.lParam});
    }

    std::unordered_map<SOCKET, AsyncSocket*> m_sockets;
    std::deque<Posted> m_waiting;   // taken off the queue, not yet served, in arrival order
    bool m_servePosted = false;     // a kServeWaiting is on its way
    bool m_readSinceTaken = true;   // a read was served since the queue was last taken
    UniqueWindow m_window;   // declared last: destroyed before the map it dispatches to
};

AsyncSocket::~AsyncSocket()
{
    Close();
}

bool AsyncSocket::Create(unsigned short port, long events)
{
    if (IsOpen() || !EnsureWinsockStarted())
        return false;
    SocketNotifications* notifications = SocketNotifications::ForThisThread();
    if (!notifications)
        return false;
    m_socket.Reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!m_socket)
        return false;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(port);
    if (bind(m_socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        !AsyncSelect(events)) {
        const int error = WSAGetLastError();
        Close();
        WSASetLastError(error);
        return false;
    }
    return true;
}

bool AsyncSocket::Listen(int backlog)
{
    return IsOpen() && listen(m_socket.Get(), backlog) == 0;
}

bool AsyncSocket::Accept(AsyncSocket& connection)
{
    if (!IsOpen() || connection.IsOpen())
        return false;
    SocketNotifications* notifications = SocketNotifications::ForThisThread();
    if (!notifications)
        return false;
    connection.m_socket.Reset(accept(m_socket.Get(), nullptr, nullptr));
    // Under Wine an accept notification can come for a connection an earlier
    // accept already took. The accept that then finds nothing leaves the
    // notification reported, and none would come for the next connection
    // until it is asked for again.
    const bool notifiedForNothing = m_acceptNotified && !connection.m_socket && WSAGetLastError() == WSAEWOULDBLOCK;
    m_acceptNotified = false;
    if (notifiedForNothing) {
        AsyncSelect(m_events);
        WSASetLastError(WSAEWOULDBLOCK);
    }
    if (!connection.m_socket)
        return false;
    // The accepted socket already has this one's notifications. Asking for
    // them again would cost a call per connection and, under Wine, post a
    // second close notification that can reach the next socket given the
    // same handle.
    connection.m_events = m_events;
    notifications->Register(&connection);
    return true;
}

bool AsyncSocket::AsyncSelect(long events)
{
    SocketNotifications* notifications = SocketNotifications::ForThisThread();
    if (!IsOpen() || !notifications)
        return false;
    if (WSAAsyncSelect(m_socket.Get(), notifications->Window(), kSocketMessage, events) != 0)
        return false;
    m_events = events;
    notifications->Register(this);
    return true;
}

unsigned short AsyncSocket::LocalPort() const
{
    sockaddr_storage address = {};
    int length = sizeof address;
    if (!IsOpen() || getsockname(m_socket.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    if (address.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return 0;
}

int AsyncSocket::Receive(void* buffer, int length)
{
    return recv(m_socket.Get(), static_cast<char*>(buffer), length, 0);
}

int AsyncSocket::Send(const void* data, int length)
{
    return send(m_socket.Get(), static_cast<const char*>(data), length, 0);
}

bool AsyncSocket::HasUnreadBytes() const
{
    u_long waiting = 0;
    return ioctlsocket(m_socket.Get(), FIONREAD, &waiting) != 0 || waiting > 0;
}

bool AsyncSocket::StartTimer(UINT intervalMs)
{
    SocketNotifications* notifications = SocketNotifications::ForThisThread();
    if (!IsOpen() || !notifications)
        return false;
    m_timerRunning = SetTimer(notifications->Window(), static_cast<UINT_PTR>(m_socket.Get()), intervalMs, nullptr) != 0;
    return m_timerRunning;
}

void AsyncSocket::StopTimer()
{
    if (!m_timerRunning)
        return;
    if (SocketNotifications* notifications = SocketNotifications::ForThisThread())
        KillTimer(notifications->Window(), static_cast<UINT_PTR>(m_socket.Get()));
    m_timerRunning = false;
}

void AsyncSocket::Close()
{
    if (!IsOpen())
        return;
    StopTimer();
    // Closing the socket ends its notifications; those already posted find
    // it unregistered.
    if (SocketNotifications* notifications = SocketNotifications::ForThisThread())
        notifications->Unregister(this);
    m_socket.Reset();
}

void AsyncSocket::Dispatch(long event, int error)
{
    // Exactly one handler per notification: it may delete this object.
    switch (event) {
    case FD_ACCEPT:
        m_acceptNotified = true;
        OnAccept(error);
        break;
    case FD_CONNECT: OnConnect(error); break;
    case FD_READ: OnReceive(error); break;
    case FD_WRITE: OnSend(error); break;
    case FD_OOB: OnOutOfBandData(error); break;
    case FD_CLOSE: OnClose(error); break;
    default: break;
    }
}
