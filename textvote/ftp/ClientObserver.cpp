#include "textvote/ftp/ClientObserver.h"

#include "textvote/ftp/FTPClient.h"

namespace nsFTP {

IClientObserver::~IClientObserver()
{
    // Copied: detaching changes the set.
    const std::set<CFTPClient*> clients = m_clients;
    for (CFTPClient* client : clients)
        client->DetachObserver(this);
}

}  // namespace nsFTP
