#pragma once
// Opens a TCP connection to the first address of a CInetAddress that
// accepts within the time-out.

#include "platform/net/InetAddress.h"
#include "platform/net/TcpStream.h"

class CTcpConnector {
public:
    // The addresses are tried in turn (a provider often listens on IPv4
    // only while "localhost" resolves to ::1 first); `timeout` bounds the
    // whole attempt. False when none connects.
    bool Connect(CTcpStream& stream, const CInetAddress& address, const CTimeValue& timeout);
    // The same over a list of addresses as getaddrinfo gives them.
    bool Connect(CTcpStream& stream, const addrinfo* addresses, const CTimeValue& timeout);
};
