#pragma once
// COM on this thread for the scope, in a single-threaded apartment. A thread
// already in one joins it again (S_FALSE); one in the multithreaded
// apartment keeps it (RPC_E_CHANGED_MODE). Either way the end balances only
// what the start did.

#include <objbase.h>

class ScopedComApartment {
public:
    ScopedComApartment() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ScopedComApartment()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    ScopedComApartment(const ScopedComApartment&) = delete;
    ScopedComApartment& operator=(const ScopedComApartment&) = delete;

    HRESULT Result() const { return m_hr; }
    explicit operator bool() const { return SUCCEEDED(m_hr); }

private:
    const HRESULT m_hr;
};
