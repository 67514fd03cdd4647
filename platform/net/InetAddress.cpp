#include "platform/net/InetAddress.h"

#include <cstdio>

#include "platform/net/WinsockRuntime.h"

bool CInetAddress::Set(unsigned short port, const std::string& host)
{
    m_list.reset();
    if (!EnsureWinsockStarted())
        return false;
    char service[8];
    snprintf(service, sizeof service, "%u", static_cast<unsigned>(port));
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* list = nullptr;
    if (getaddrinfo(host.c_str(), service, &hints, &list) != 0 || !list)
        return false;
    m_list.reset(list);
    return true;
}
