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
    // Error() then tells why.
    bool Set(unsigned short port, const std::string& host, int family = AF_UNSPEC);
    int Error() const { return m_error; }

    // The resolved list, null before a successful Set.
    const addrinfo* First() const { return m_list.get(); }

private:
    struct FreeList {
        void operator()(addrinfo* list) const { freeaddrinfo(list); }
    };
    std::unique_ptr<addrinfo, FreeList> m_list;
    int m_error = 0;
};
