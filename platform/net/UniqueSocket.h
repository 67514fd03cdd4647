#pragma once
// Owner of one Winsock socket: closed on every path.

#include <winsock2.h>

#include "base/win/UniqueHandle.h"

struct SocketTraits {
    using Handle = SOCKET;
    static Handle Empty() { return INVALID_SOCKET; }
    static void Close(Handle s) { ::closesocket(s); }
};

using UniqueSocket = UniqueHandle<SocketTraits>;
