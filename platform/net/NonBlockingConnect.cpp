#include "platform/net/NonBlockingConnect.h"

ConnectOutcome ConnectNonBlocking(SOCKET socket, const sockaddr* address, int length, timeval wait, int& error)
{
    error = 0;
    if (connect(socket, address, length) == 0)
        return ConnectOutcome::Connected;
    if (WSAGetLastError() != WSAEWOULDBLOCK) {
        error = WSAGetLastError();
        return ConnectOutcome::Failed;
    }
    // A refused connect shows up in the except set, not the write set.
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket, &writable);
    FD_SET(socket, &failed);
    const int ready = select(0, nullptr, &writable, &failed, &wait);
    if (ready == SOCKET_ERROR) {
        error = WSAGetLastError();
        return ConnectOutcome::Failed;
    }
    if (ready == 0)
        return ConnectOutcome::TimedOut;
    // Writable and not failed is a connection made; only a failure needs
    // its error asked for.
    if (!FD_ISSET(socket, &failed))
        return ConnectOutcome::Connected;
    int size = sizeof error;
    if (getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0)
        error = WSAGetLastError();
    return ConnectOutcome::Failed;
}
