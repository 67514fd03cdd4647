#pragma once
// Owner of one Winsock socket: closed on every path.

#include <winsock2.h>

#include <utility>

class UniqueSocket {
public:
    UniqueSocket() = default;
    explicit UniqueSocket(SOCKET s) : m_s(s) {}
    UniqueSocket(const UniqueSocket&) = delete;
    UniqueSocket& operator=(const UniqueSocket&) = delete;
    UniqueSocket(UniqueSocket&& other) noexcept : m_s(std::exchange(other.m_s, INVALID_SOCKET)) {}
    UniqueSocket& operator=(UniqueSocket&& other) noexcept
    {
        Reset(std::exchange(other.m_s, INVALID_SOCKET));
        return *this;
    }
    ~UniqueSocket() { Reset(); }

    void Reset(SOCKET s = INVALID_SOCKET)
    {
        const SOCKET old = std::exchange(m_s, s);
        if (old != INVALID_SOCKET)
            closesocket(old);
    }
    // Gives the handle up without closing it.
    SOCKET Release() { return std::exchange(m_s, INVALID_SOCKET); }
    SOCKET Get() const { return m_s; }
    bool IsValid() const { return m_s != INVALID_SOCKET; }

private:
    SOCKET m_s = INVALID_SOCKET;
};
