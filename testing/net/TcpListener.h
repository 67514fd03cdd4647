#pragma once
// A blocking IPv4 loopback listener for local peers (the scripted provider of
// tests and benchmarks): accepts with a time-out so its owner can stop it.

#include "platform/net/TcpStream.h"

class CTcpListener {
public:
    // Listens on 127.0.0.1:`port` (0 picks a free port). False on failure.
    bool Open(unsigned short port);
    unsigned short Port() const { return m_port; }

    // Waits up to `timeout` for a connection; false when none came.
    bool Accept(CTcpStream& stream, const CTimeValue& timeout);

    void Close() { m_socket.Reset(); }

private:
    UniqueSocket m_socket;
    unsigned short m_port = 0;
};
