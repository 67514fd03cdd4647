#pragma once
// A stand-in data provider: listens on 127.0.0.1 on a free port and serves
// connections one after another on its own thread, each as its script says.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "testing/net/TcpListener.h"

struct ProviderScript {
    enum class Action {
        Answer,             // read the request frame, send `reply` chunk by chunk
        Silent,             // read the request frame, then say nothing
        CloseAtOnce,        // close as soon as the connection is accepted
        CloseAfterRequest,  // read the request frame, send `reply`, close
        Flood,              // read the request frame, send `reply` over and over
    };
    Action action = Action::Answer;
    // Each chunk goes out in its own send, with a pause between them.
    std::vector<std::string> reply;
    int pauseMs = 20;
};

class CScriptedProvider {
public:
    explicit CScriptedProvider(ProviderScript script);
    ~CScriptedProvider();
    CScriptedProvider(const CScriptedProvider&) = delete;
    CScriptedProvider& operator=(const CScriptedProvider&) = delete;

    // 0 when the listener could not be opened.
    unsigned short Port() const { return m_listener.Port(); }

    // The bytes of the last request received, up to and including its ">".
    std::string LastRequest() const;
    int ConnectionsServed() const { return m_served.load(); }
    // Bytes sent on the last connection.
    long long BytesSentLast() const { return m_bytesSentLast.load(); }

    // A loopback port on which nothing listens (connections are refused).
    static unsigned short RefusingPort();

private:
    void Serve();
    void ServeOne(CTcpStream& stream);
    bool ReadRequest(CTcpStream& stream);
    void SendChunks(CTcpStream& stream, bool repeat);
    void WaitForClientClose(CTcpStream& stream);

    const ProviderScript m_script;
    CTcpListener m_listener;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_served{0};
    std::atomic<long long> m_bytesSentLast{0};
    mutable std::mutex m_lock;
    std::string m_lastRequest;
    std::thread m_thread;
};
