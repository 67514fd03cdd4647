#pragma once
// Owners of BSTR and VARIANT values: freed on every path.

#include <windows.h>
#include <oleauto.h>
#include <string>
#include <utility>

class ScopedBstr {
public:
    ScopedBstr() = default;
    explicit ScopedBstr(const wchar_t* text) : m_b(SysAllocString(text)) {}
    explicit ScopedBstr(const std::wstring& text)
        : m_b(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    ScopedBstr(ScopedBstr&& other) noexcept : m_b(std::exchange(other.m_b, nullptr)) {}
    ScopedBstr& operator=(ScopedBstr&& other) noexcept { Reset(std::exchange(other.m_b, nullptr)); return *this; }
    ~ScopedBstr() { SysFreeString(m_b); }

    void Reset(BSTR b = nullptr) { SysFreeString(std::exchange(m_b, b)); }
    BSTR Detach() { return std::exchange(m_b, nullptr); }
    BSTR Get() const { return m_b; }
    BSTR* Put() { Reset(); return &m_b; }
    UINT Length() const { return SysStringLen(m_b); }
    std::wstring Str() const { return m_b ? std::wstring(m_b, SysStringLen(m_b)) : std::wstring(); }

private:
    BSTR m_b = nullptr;
};

class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&m_v); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    ~ScopedVariant() { VariantClear(&m_v); }

    VARIANT* operator&() { return &m_v; }
    VARIANT* Get() { return &m_v; }
    const VARIANT* Get() const { return &m_v; }
    VARIANT* operator->() { return &m_v; }
    void Clear() { VariantClear(&m_v); }
    // Hands the value over to the caller, who now clears it.
    VARIANT Detach() { VARIANT v = m_v; VariantInit(&m_v); return v; }

private:
    VARIANT m_v;
};
