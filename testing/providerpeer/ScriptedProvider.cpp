#include "testing/providerpeer/ScriptedProvider.h"

#include <windows.h>

namespace {

// Short waits keep the thread responsive to a stop.
const CTimeValue kPoll = CTimeValue::FromMilliseconds(50);
const CTimeValue kSendBound = CTimeValue::FromMilliseconds(5000);

}  // namespace

CScriptedProvider::CScriptedProvider(ProviderScript script) : m_script(std::move(script))
{
    if (m_listener.Open(0))
        m_thread = std::thread([this] { Serve(); });
}

CScriptedProvider::~CScriptedProvider()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

std::string CScriptedProvider::LastRequest() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lastRequest;
}

unsigned short CScriptedProvider::RefusingPort()
{
    CTcpListener probe;
    if (!probe.Open(0))
        return 0;
    const unsigned short port = probe.Port();
    probe.Close();
    return port;
}

void CScriptedProvider::Serve()
{
    while (!m_stop) {
        CTcpStream stream;
        if (!m_listener.Accept(stream, kPoll))
            continue;
        m_bytesSentLast = 0;
        ServeOne(stream);
        ++m_served;
    }
}

void CScriptedProvider::ServeOne(CTcpStream& stream)
{
    using Action = ProviderScript::Action;
    if (m_script.action == Action::CloseAtOnce)
        return;
    if (!ReadRequest(stream))
        return;
    switch (m_script.action) {
    case Action::Answer:
        SendChunks(stream, false);
        WaitForClientClose(stream);
        break;
    case Action::Silent:
        WaitForClientClose(stream);
        break;
    case Action::CloseAfterRequest:
        SendChunks(stream, false);
        break;
    case Action::Flood:
        SendChunks(stream, true);
        break;
    case Action::CloseAtOnce:
        break;
    }
}

bool CScriptedProvider::ReadRequest(CTcpStream& stream)
{
    std::string request;
    char buffer[4096];
    while (!m_stop) {
        const int n = stream.Receive(buffer, sizeof buffer, kPoll);
        if (n == 0 || (n < 0 && !stream.TimedOut()))
            return false;
        if (n < 0)
            continue;
        request.append(buffer, static_cast<size_t>(n));
        const size_t close = request.find('>');
        if (close != std::string::npos) {
            request.resize(close + 1);
            std::lock_guard<std::mutex> guard(m_lock);
            m_lastRequest = request;
            return true;
        }
    }
    return false;
}

void CScriptedProvider::SendChunks(CTcpStream& stream, bool repeat)
{
    do {
        for (size_t i = 0; i < m_script.reply.size() && !m_stop; ++i) {
            const std::string& chunk = m_script.reply[i];
            const int length = static_cast<int>(chunk.size());
            const int sent = stream.SendAll(chunk.data(), length, kSendBound);
            m_bytesSentLast += sent;
            if (sent < length)
                return;  // the client has gone
            // A pause lets each chunk arrive on its own.
            if (!repeat && i + 1 < m_script.reply.size())
                Sleep(static_cast<DWORD>(m_script.pauseMs));
        }
    } while (repeat && !m_stop);
}

void CScriptedProvider::WaitForClientClose(CTcpStream& stream)
{
    char buffer[256];
    while (!m_stop) {
        const int n = stream.Receive(buffer, sizeof buffer, kPoll);
        if (n == 0 || (n < 0 && !stream.TimedOut()))
            return;
    }
}
