#pragma once
// Owns one kernel handle. Ports use INVALID_HANDLE_VALUE for "none", events and
// threads use null; both count as empty.

#include <utility>
#include <windows.h>

class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE h) : m_h(h) {}
    ScopedHandle(ScopedHandle&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_h, nullptr));
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { Reset(); }

    void Reset(HANDLE h = nullptr)
    {
        if (Valid())
            CloseHandle(m_h);
        m_h = h;
    }
    HANDLE Get() const { return m_h; }
    bool Valid() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return Valid(); }

private:
    HANDLE m_h = nullptr;
};
