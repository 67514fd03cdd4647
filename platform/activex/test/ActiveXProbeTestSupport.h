#pragma once
// The probe control as a host sees it: ActiveXProbe.ocx loaded by its path,
// its class object, and calls by name.

#include <gtest/gtest.h>

#include <windows.h>
#include <ocidl.h>

#include <string>
#include <vector>

#include "base/com/ComTypes.h"
#include "base/com/RefPtr.h"
#include "base/win/UniqueHandle.h"
#include "platform/activex/test/ActiveXProbeIds.h"
#include "testing/comreg/ServerRegistrationTestSupport.h"

class ProbeModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module.Reset(LoadLibraryExW((TestModuleFolder() + L"ActiveXProbe.ocx").c_str(), nullptr,
                                      LOAD_WITH_ALTERED_SEARCH_PATH));
        ASSERT_TRUE(m_module) << "ActiveXProbe.ocx does not load";
        m_getClassObject = reinterpret_cast<GetClassObjectFn>(
            reinterpret_cast<void*>(GetProcAddress(m_module.Get(), "DllGetClassObject")));
        m_canUnloadNow =
            reinterpret_cast<CanUnloadNowFn>(reinterpret_cast<void*>(GetProcAddress(m_module.Get(), "DllCanUnloadNow")));
        ASSERT_TRUE(m_getClassObject && m_canUnloadNow);
    }

    HRESULT ClassObject(REFCLSID clsid, RefPtr<IClassFactory>& factory)
    {
        return m_getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Put()));
    }
    HRESULT CanUnloadNow() { return m_canUnloadNow(); }

    // A new probe control asked for IDispatch.
    RefPtr<IDispatch> NewProbe()
    {
        RefPtr<IClassFactory> factory;
        RefPtr<IDispatch> probe;
        if (SUCCEEDED(ClassObject(kProbeClsid, factory)))
            factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(probe.Put()));
        return probe;
    }

private:
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

    UniqueModule m_module;
    GetClassObjectFn m_getClassObject = nullptr;
    CanUnloadNowFn m_canUnloadNow = nullptr;
};

// One Invoke by member name; `arguments` in the caller's order (they stay the caller's).
inline HRESULT CallProbe(IDispatch* probe, const wchar_t* name, std::vector<VARIANT> arguments, VARIANT* result,
                         WORD flags = DISPATCH_METHOD, UINT* argumentError = nullptr, EXCEPINFO* info = nullptr)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = probe->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return probe->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, info, argumentError);
}
