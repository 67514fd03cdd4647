#pragma once
// A stand-in FTP server on 127.0.0.1 for the cases no real server shows on
// demand: firewall logons, odd replies, silence, a data connection that
// never comes or stops half-way. It serves control connections one after
// another on its own thread, answers each command as its script says, and
// records every line that reaches it.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "testing/net/TcpListener.h"

struct FtpStep {
    enum class Data {
        None,
        Send,           // send `bytes` on the data connection, then close it
        Receive,        // read the data connection to its end, or until a command comes
        SendThenStall,  // send `bytes`, then hold the connection open and silent until
                        // the client closes it or sends a command
        NoConnection,   // never accept or connect the data connection
        Endless,        // send `bytes` over and over until the client closes the
                        // connection (or the endless bound runs out)
    };

    // The command line expected, without CR LF; a trailing "*" stands for
    // any rest. Empty: the step opens a new control connection and `reply`
    // is its greeting.
    std::string command;
    // Each piece goes out in its own send after a short pause. "{PASV}"
    // becomes "127,0,0,1,p1,p2" of a data listener opened here, "{PASVPORT}"
    // only ",p1,p2" of it. No pieces: no answer at all.
    std::vector<std::string> reply;
    // Sent over and over after `reply`, `endlessPauseMs` apart, as a server
    // whose reply never ends: until the client closes the connection or
    // stops reading, or the endless bound runs out.
    std::string endless;
    unsigned endlessPauseMs = 0;
    Data data = Data::None;
    std::string bytes;
    // Sent after the data step.
    std::vector<std::string> finalReply;
};

FtpStep Greeting(const std::string& reply = "220 Scripted server ready.\r\n");
FtpStep Answer(const std::string& command, const std::string& reply);
FtpStep Transfer(const std::string& command, FtpStep::Data data, const std::string& bytes = std::string(),
                 const std::string& finalReply = "226 Transfer complete.\r\n");

class CScriptedFtpServer {
public:
    explicit CScriptedFtpServer(std::vector<FtpStep> script);
    ~CScriptedFtpServer();
    CScriptedFtpServer(const CScriptedFtpServer&) = delete;
    CScriptedFtpServer& operator=(const CScriptedFtpServer&) = delete;

    // 0 when no listener could be opened.
    unsigned short Port() const { return m_listener.Port(); }
    // Every command line received, in order, without its CR LF.
    std::vector<std::string> Commands() const;
    // What the last Receive step read.
    std::string ReceivedData() const;
    // Steps of the script served so far.
    size_t StepsServed() const { return m_step.load(); }
    // Whether the last endless send ended because the client closed the
    // connection (not because it stopped reading, nor at the bound).
    bool ClientClosedEndlessSend() const { return m_endlessClosedByClient.load(); }

private:
    void Serve();
    void ServeConnection(CTcpStream& control);
    bool ReadCommand(CTcpStream& control, std::string& pending, std::string& line);
    void SendPieces(CTcpStream& control, const std::vector<std::string>& pieces);
    void SendReply(CTcpStream& control, const FtpStep& step);
    void SendEndless(CTcpStream& stream, const std::string& piece, unsigned pauseMs);
    void RunData(const FtpStep& step, CTcpStream& control, std::string& pending);
    bool OpenData(CTcpStream& data);

    const std::vector<FtpStep> m_script;
    CTcpListener m_listener;
    CTcpListener m_dataListener;
    std::string m_portHost;
    unsigned short m_portPort = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<size_t> m_step{0};
    std::atomic<bool> m_endlessClosedByClient{false};
    mutable std::mutex m_lock;
    std::vector<std::string> m_commands;
    std::string m_received;
    std::thread m_thread;
};
