#include "testing/ftppeer/ScriptedFtpServer.h"

#include <windows.h>

#include <chrono>
#include <cstdio>

#include "platform/net/TcpConnector.h"

namespace {

// Short waits keep the thread responsive to a stop; the long ones bound
// what a misbehaving client could hold.
const CTimeValue kPoll = CTimeValue::FromMilliseconds(50);
const CTimeValue kSendBound = CTimeValue::FromMilliseconds(5000);
const CTimeValue kDataBound = CTimeValue::FromMilliseconds(5000);
const auto kStallBound = std::chrono::seconds(30);
const auto kEndlessBound = std::chrono::seconds(30);
const DWORD kPiecePauseMs = 150;

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
}

// A trailing "*" stands for any rest of the line (a PORT's address).
bool Matches(const std::string& expected, const std::string& line)
{
    if (!expected.empty() && expected.back() == '*')
        return line.compare(0, expected.size() - 1, expected, 0, expected.size() - 1) == 0;
    return expected == line;
}

}  // namespace

FtpStep Greeting(const std::string& reply)
{
    FtpStep step;
    step.reply = {reply};
    return step;
}

FtpStep Answer(const std::string& command, const std::string& reply)
{
    FtpStep step;
    step.command = command;
    step.reply = {reply};
    return step;
}

FtpStep Transfer(const std::string& command, FtpStep::Data data, const std::string& bytes,
                 const std::string& finalReply)
{
    FtpStep step;
    step.command = command;
    step.reply = {"150 Opening data connection.\r\n"};
    step.data = data;
    step.bytes = bytes;
    if (!finalReply.empty())
        step.finalReply = {finalReply};
    return step;
}

CScriptedFtpServer::CScriptedFtpServer(std::vector<FtpStep> script) : m_script(std::move(script))
{
    if (m_listener.Open(0))
        m_thread = std::thread([this] { Serve(); });
}

CScriptedFtpServer::~CScriptedFtpServer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

std::vector<std::string> CScriptedFtpServer::Commands() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_commands;
}

std::string CScriptedFtpServer::ReceivedData() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_received;
}

void CScriptedFtpServer::Serve()
{
    while (!m_stop) {
        CTcpStream control;
        if (m_listener.Accept(control, kPoll))
            ServeConnection(control);
    }
}

void CScriptedFtpServer::ServeConnection(CTcpStream& control)
{
    if (m_step < m_script.size() && m_script[m_step].command.empty())
        SendReply(control, m_script[m_step++]);
    std::string pending;
    std::string line;
    while (ReadCommand(control, pending, line)) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_commands.push_back(line);
        }
        if (m_step >= m_script.size() || !Matches(m_script[m_step].command, line)) {
            SendPieces(control, {"500 Not in the script.\r\n"});
            continue;
        }
        const FtpStep& step = m_script[m_step];
        if (line.compare(0, 5, "PORT ") == 0) {
            unsigned h[4], p[2];
            if (sscanf(line.c_str() + 5, "%u,%u,%u,%u,%u,%u", &h[0], &h[1], &h[2], &h[3], &p[0], &p[1]) == 6) {
                m_portHost = std::to_string(h[0]) + "." + std::to_string(h[1]) + "." + std::to_string(h[2]) + "." +
                             std::to_string(h[3]);
                m_portPort = static_cast<unsigned short>(p[0] * 256 + p[1]);
            }
        }
        SendReply(control, step);
        RunData(step, control, pending);
        SendPieces(control, step.finalReply);
        ++m_step;
    }
}

bool CScriptedFtpServer::ReadCommand(CTcpStream& control, std::string& pending, std::string& line)
{
    for (;;) {
        const size_t end = pending.find("\r\n");
        if (end != std::string::npos) {
            line = pending.substr(0, end);
            pending.erase(0, end + 2);
            return true;
        }
        if (m_stop)
            return false;
        char buffer[512];
        const int received = control.Receive(buffer, sizeof buffer, kPoll);
        if (received == 0 || (received < 0 && !control.TimedOut()))
            return false;
        if (received > 0)
            pending.append(buffer, received);
    }
}

void CScriptedFtpServer::SendPieces(CTcpStream& control, const std::vector<std::string>& pieces)
{
    bool first = true;
    for (std::string piece : pieces) {
        if (!first)
            Sleep(kPiecePauseMs);
        first = false;
        if (m_stop)
            return;
        if (piece.find("{PASV") != std::string::npos) {
            m_dataListener.Open(0);
            const unsigned short port = m_dataListener.Port();
            const std::string portText = "," + std::to_string(port >> 8) + "," + std::to_string(port & 0xFF);
            ReplaceAll(piece, "{PASV}", "127,0,0,1" + portText);
            ReplaceAll(piece, "{PASVPORT}", portText);
        }
        if (control.SendAll(piece.data(), static_cast<int>(piece.size()), kSendBound) != static_cast<int>(piece.size()))
            return;
    }
}

void CScriptedFtpServer::SendReply(CTcpStream& control, const FtpStep& step)
{
    SendPieces(control, step.reply);
    if (!step.endless.empty())
        SendEndless(control, step.endless, step.endlessPauseMs);
}

void CScriptedFtpServer::SendEndless(CTcpStream& stream, const std::string& piece, unsigned pauseMs)
{
    m_endlessClosedByClient = false;
    const auto deadline = std::chrono::steady_clock::now() + kEndlessBound;
    while (!m_stop && std::chrono::steady_clock::now() < deadline) {
        if (stream.SendAll(piece.data(), static_cast<int>(piece.size()), kSendBound) != static_cast<int>(piece.size())) {
            // A client that closed makes the probe fail at once; one that only
            // stopped reading lets it time out.
            char probe;
            const int received = stream.Receive(&probe, 1, kPoll);
            m_endlessClosedByClient = received == 0 || (received < 0 && !stream.TimedOut());
            return;
        }
        if (pauseMs > 0)
            Sleep(pauseMs);
    }
}

bool CScriptedFtpServer::OpenData(CTcpStream& data)
{
    if (m_dataListener.Port() != 0) {
        const bool accepted = m_dataListener.Accept(data, kDataBound);
        m_dataListener.Close();
        return accepted;
    }
    CInetAddress address;
    return !m_portHost.empty() && address.Set(m_portPort, m_portHost) &&
           CTcpConnector().Connect(data, address, kDataBound);
}

void CScriptedFtpServer::RunData(const FtpStep& step, CTcpStream& control, std::string& pending)
{
    using Data = FtpStep::Data;
    if (step.data == Data::None)
        return;
    if (step.data == Data::NoConnection) {
        m_dataListener.Close();
        m_portHost.clear();
        return;
    }
    CTcpStream data;
    const bool opened = OpenData(data);
    m_portHost.clear();
    if (!opened)
        return;
    if (step.data == Data::Endless) {
        SendEndless(data, step.bytes, 0);
        return;
    }
    if (step.data == Data::Send || step.data == Data::SendThenStall)
        data.SendAll(step.bytes.data(), static_cast<int>(step.bytes.size()), kSendBound);
    if (step.data == Data::Send)
        return;

    // Receive reads to the end; a stall holds on until the client gives up.
    // A command on the control connection (an ABOR) ends either, as a real
    // server hears it while data moves.
    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + kStallBound;
    while (!m_stop && std::chrono::steady_clock::now() < deadline && pending.find("\r\n") == std::string::npos) {
        char buffer[4096];
        const int count = data.Receive(buffer, sizeof buffer, kPoll);
        if (count == 0 || (count < 0 && !data.TimedOut()))
            break;
        if (count > 0)
            received.append(buffer, count);
        const int commandBytes = control.Receive(buffer, sizeof buffer, CTimeValue());
        if (commandBytes > 0)
            pending.append(buffer, commandBytes);
    }
    if (step.data == Data::Receive) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_received = received;
    }
}
