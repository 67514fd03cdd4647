#include "platform/net/WinsockRuntime.h"

#include <winsock2.h>

#include <mutex>

bool EnsureWinsockStarted()
{
    // The reference is kept for the life of the process: a WSACleanup at
    // module unload would run under the loader lock.
    static std::mutex lock;
    static bool started = false;
    std::lock_guard<std::mutex> guard(lock);
    if (!started) {
        WSADATA data;
        started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    return started;
}
