#pragma once
// Owning pointer for any type with AddRef/Release (COM interfaces and the
// reference-counted classes of this code base alike).

#include <utility>

template <typename T>
class RefPtr {
public:
    RefPtr() = default;
    RefPtr(std::nullptr_t) {}
    // Takes one new reference.
    explicit RefPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    RefPtr(const RefPtr& other) : RefPtr(other.m_p) {}
    RefPtr(RefPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~RefPtr() { Reset(); }

    RefPtr& operator=(RefPtr other) noexcept { std::swap(m_p, other.m_p); return *this; }

    // Adopts a reference the caller already owns (a lookup's added reference).
    static RefPtr Adopt(T* p) { RefPtr r; r.m_p = p; return r; }

    void Reset() { if (T* p = std::exchange(m_p, nullptr)) p->Release(); }
    T* Detach() { return std::exchange(m_p, nullptr); }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For out-parameters: releases what is held and exposes the slot.
    T** Put() { Reset(); return &m_p; }

private:
    T* m_p = nullptr;
};
