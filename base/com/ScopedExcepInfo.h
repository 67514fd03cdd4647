#pragma once
// Owner of the strings an IDispatch::Invoke puts into an EXCEPINFO.

#include <windows.h>
#include <oleauto.h>

#include <string>

class ScopedExcepInfo {
public:
    ScopedExcepInfo() = default;
    ScopedExcepInfo(const ScopedExcepInfo&) = delete;
    ScopedExcepInfo& operator=(const ScopedExcepInfo&) = delete;
    ~ScopedExcepInfo()
    {
        SysFreeString(m_info.bstrSource);
        SysFreeString(m_info.bstrDescription);
        SysFreeString(m_info.bstrHelpFile);
    }

    EXCEPINFO* Get() { return &m_info; }
    // Lets a deferred filler run first.
    void Complete()
    {
        if (m_info.pfnDeferredFillIn && m_info.pfnDeferredFillIn(&m_info) == S_OK)
            m_info.pfnDeferredFillIn = nullptr;
    }
    std::wstring Description() const { return Text(m_info.bstrDescription); }
    std::wstring Source() const { return Text(m_info.bstrSource); }
    SCODE Code() const { return m_info.scode; }
    WORD WCode() const { return m_info.wCode; }

private:
    static std::wstring Text(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

    EXCEPINFO m_info{};
};
