#pragma once
// COM for the duration of a call on a thread the host owns, in whatever
// apartment the thread already has.

#include <objbase.h>

class CComForThisCall {
public:
    CComForThisCall() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComForThisCall()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    CComForThisCall(const CComForThisCall&) = delete;
    CComForThisCall& operator=(const CComForThisCall&) = delete;

private:
    HRESULT m_hr;
};
