#pragma once
// A connected TCP socket whose every send and receive is bounded by a time-out.

#include <utility>

#include "platform/net/TimeValue.h"
#include "platform/net/UniqueSocket.h"

class CTcpStream {
public:
    CTcpStream() = default;
    // Takes over a connected socket and makes it non-blocking.
    explicit CTcpStream(UniqueSocket socket);
    // Takes over a connected socket that is non-blocking already (each
    // change of mode is a round trip to Wine's server).
    struct NonBlocking {};
    CTcpStream(UniqueSocket socket, NonBlocking) : m_socket(std::move(socket)) {}

    bool IsOpen() const { return static_cast<bool>(m_socket); }

    // Sends until all `length` bytes are written or `timeout` has passed in
    // all; the result is the number of bytes written.
    int SendAll(const char* data, int length, const CTimeValue& timeout);
    // One receive of at most `capacity` bytes, waiting up to `timeout`:
    // > 0 bytes received, 0 the peer closed, -1 error or time-out.
    int Receive(char* buffer, int capacity, const CTimeValue& timeout);
    // Whether the last Receive gave -1 because its time-out passed.
    bool TimedOut() const { return m_timedOut; }

    void Close() { m_socket.Reset(); }

private:
    UniqueSocket m_socket;
    bool m_timedOut = false;
};
