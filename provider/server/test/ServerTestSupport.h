#pragma once
// Test support for the request server: a message pump for the serving
// thread and a blocking loopback client that runs on a thread of its own.

#include <winsock2.h>

#include <functional>
#include <string>

#include "platform/net/UniqueSocket.h"

// Dispatches this thread's messages until `done` holds or ten seconds pass.
bool PumpUntil(const std::function<bool()>& done);

// Runs `client` on a thread while this thread serves; a client that does
// not finish within ten seconds fails the test.
void Serve(const std::function<void()>& client);

// A loopback port that was free a moment ago.
unsigned short FreeLoopbackPort();

class Client {
public:
    // Every receive waits at most `receiveTimeoutMs`.
    explicit Client(unsigned short port, DWORD receiveTimeoutMs = 10000);

    bool Connected() const { return m_connected; }
    void Send(const std::string& bytes);
    // Sends for at most `ms` and tells how many bytes the server took; the
    // socket stays non-blocking afterwards.
    size_t SendFor(const std::string& bytes, DWORD ms);
    void ShutdownSending();
    // Closes at once; `reset` discards what is unsent or unread with a reset.
    void Close(bool reset);

    // Reads until `frames` replies are complete or the peer closes; small
    // `chunk`s with pauses make a slow reader.
    std::string Read(int frames, int chunk = 65536, DWORD pauseMs = 0);
    // True when the server closed the connection (end of stream or reset)
    // within the receive time-out; a byte or the time-out is false.
    bool ClosedByServer();

private:
    UniqueSocket m_socket;
    bool m_connected = false;
};
