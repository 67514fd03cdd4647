#pragma once
// The floor of a request/reply protocol on this machine: plain blocking
// Winsock on 127.0.0.1, one connection per request, the same bytes each way.
// A server thread reads the request's length and answers the reply bytes.

#include <atomic>
#include <string>
#include <thread>

#include "platform/net/UniqueSocket.h"

class CLoopbackFloor {
public:
    CLoopbackFloor(std::string request, std::string reply);
    ~CLoopbackFloor();
    CLoopbackFloor(const CLoopbackFloor&) = delete;
    CLoopbackFloor& operator=(const CLoopbackFloor&) = delete;

    bool IsListening() const { return m_port != 0; }
    // Where it listens, for a client under test to speak to the same server.
    unsigned short Port() const { return m_port; }

    // Connect, send the request, receive the whole reply, close.
    bool RoundTrip() const;

    // A blocking connection to `port` on the loopback address, or none.
    static UniqueSocket ConnectLoopback(unsigned short port);

private:
    void Serve();

    const std::string m_request;
    const std::string m_reply;
    UniqueSocket m_listener;
    unsigned short m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
