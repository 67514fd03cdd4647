#pragma once
// An internet address from a host text and a port: every address the name
// resolves to, of any family or of one, in the resolver's order.

#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>
#include <string>

class CInetAddress {
public:
    // False when the name does not resolve (or Winsock cannot start);
    // Error() then tells why. Waits as long as the system resolver does.
    bool Set(unsigned short port, const std::string& host, int family = AF_UNSPEC);
    // The same within `timeoutMs`: a numeric address resolves at once, a
    // name on a worker thread. On time-out false with WSAETIMEDOUT; the
    // worker then ends on its own and frees what it found.
    bool Set(unsigned short port, const std::string& host, int family, DWORD timeoutMs);
    int Error() const { return m_error; }

    // The resolved list, null before a successful Set.
    const addrinfo* First() const { return m_list.get(); }

private:
    struct FreeList {
        void operator()(addrinfo* list) const { freeaddrinfo(list); }
    };
    // Owns `list` (even on failure) and keeps it when `error` is 0.
    bool Take(int error, addrinfo* list);

    std::unique_ptr<addrinfo, FreeList> m_list;
    int m_error = 0;
};
