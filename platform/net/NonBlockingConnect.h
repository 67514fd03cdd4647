#pragma once
// A connect that cannot wait past its time-out: on a socket in non-blocking
// mode, connect() and then select() for the outcome.

#include <winsock2.h>

enum class ConnectOutcome { Connected, TimedOut, Failed };

// `error` is the Winsock error of a failure (0 when the system gave none).
ConnectOutcome ConnectNonBlocking(SOCKET socket, const sockaddr* address, int length, timeval wait, int& error);
