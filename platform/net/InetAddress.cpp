#include "platform/net/InetAddress.h"

#include <cstdio>

#include "platform/net/WinsockRuntime.h"

bool CInetAddress::Set(unsigned short port, const std::string& host, int family)
{
    m_list.reset();
    m_error = WSANOTINITIALISED;
    if (!EnsureWinsockStarted())
        return false;
    char service[8];
    snprintf(service, sizeof service, "%u", static_cast<unsigned>(port));
    addrinfo hints{};
    hints.ai_family = family;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* list = nullptr;
    m_error = getaddrinfo(host.c_str(), service, &hints, &list);
    if (m_error == 0 && !list)
        m_error = WSAHOST_NOT_FOUND;
    if (m_error != 0)
        return false;
    m_list.reset(list);
    return true;
}
