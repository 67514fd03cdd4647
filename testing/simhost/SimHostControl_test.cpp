// The host's side of plug-in controls: a small control of the test's own,
// created by ProgID through a class object registered for this process, and
// the probe control of the ActiveX layer sited in a frame window.
#include <gtest/gtest.h>

#include <string>

#include "base/com/ComObject.h"
#include "base/com/ComTypes.h"
#include "platform/activex/ServerRegistration.h"
#include "platform/activex/test/ActiveXProbeIds.h"
#include "testing/comreg/ServerRegistrationTestSupport.h"
#include "testing/simhost/SimHostTestSupport.h"

namespace {

// {0E7B1C4A-3F52-4D8B-A1E6-2C9D7F3B5A14}
const CLSID CLSID_TestControl = {0x0e7b1c4a, 0x3f52, 0x4d8b, {0xa1, 0xe6, 0x2c, 0x9d, 0x7f, 0x3b, 0x5a, 0x14}};
const wchar_t kProgId[] = L"Velmora.Test.Control.1";

struct ControlLog {
    int initialised = 0;
    int commands = 0;
    long editedProperties = -1; // Count of the collection Execute received
};
ControlLog g_log;

HRESULT CallByName(IDispatch* object, const wchar_t* name, VARIANT* reversedArgs, UINT count, VARIANT* result)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS params{reversedArgs, nullptr, count, 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

// Registers a menu item on start-up and counts what the host calls.
class CTestControl final : public ComObject<IDispatch> {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override
    {
        const wchar_t* const members[] = {L"OnInitialize", L"OnTester", L"Execute"};
        for (DISPID i = 0; i < 3; ++i)
            if (_wcsicmp(names[0], members[i]) == 0) {
                ids[0] = i + 1;
                return S_OK;
            }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        switch (id) {
        case 1: { // OnInitialize(VARIANT application, BOOL* status)
            if (params->cArgs != 2 || params->rgvarg[1].vt != VT_DISPATCH || params->rgvarg[0].vt != (VT_BYREF | VT_I4))
                return DISP_E_TYPEMISMATCH;
            *params->rgvarg[0].plVal = 0;
            ScopedBstr plugin(L"Tester"), path(L"Tools|"), command(L"OnTester");
            VARIANT args[3]; // last to first
            for (VARIANT& a : args) {
                VariantInit(&a);
                a.vt = VT_BSTR;
            }
            args[2].bstrVal = plugin.Get();
            args[1].bstrVal = path.Get();
            args[0].bstrVal = command.Get();
            ScopedVariant result;
            if (FAILED(CallByName(params->rgvarg[1].pdispVal, L"RegisterMenuItem", args, 3, result.Get())))
                return S_OK;
            ++g_log.initialised;
            *params->rgvarg[0].plVal = 1;
            return S_OK;
        }
        case 2: ++g_log.commands; return S_OK;
        case 3: { // Execute(application, properties)
            if (params->cArgs != 2 || params->rgvarg[0].vt != VT_DISPATCH || params->rgvarg[1].vt != VT_DISPATCH)
                return DISP_E_TYPEMISMATCH;
            IDispatch* properties = params->rgvarg[0].pdispVal;
            DISPID countId = DISPID_UNKNOWN;
            LPOLESTR names[] = {const_cast<LPOLESTR>(L"Count")};
            ScopedVariant count;
            DISPPARAMS none{};
            if (SUCCEEDED(properties->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &countId)) &&
                SUCCEEDED(properties->Invoke(countId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                             count.Get(), nullptr, nullptr)) &&
                count->vt == VT_I4)
                g_log.editedProperties = count->lVal;
            return S_OK;
        }
        default: return DISP_E_MEMBERNOTFOUND;
        }
    }
};

class CTestControlFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; } // a static object
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        CTestControl* control = new (std::nothrow) CTestControl();
        if (!control)
            return E_OUTOFMEMORY;
        const HRESULT hr = control->QueryInterface(riid, object);
        control->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};
CTestControlFactory g_factory;

// The ProgID in the test prefix's registry and the class object in this process, for one test.
class SimHostControlTest : public SimHostFixture {
protected:
    void SetUp() override
    {
        SimHostFixture::SetUp();
        g_log = ControlLog();
        wchar_t clsid[40];
        ASSERT_GT(StringFromGUID2(CLSID_TestControl, clsid, 40), 0);
        const std::wstring key = std::wstring(kProgId) + L"\\CLSID";
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueW(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, clsid,
                                              static_cast<DWORD>(wcslen(clsid) * sizeof(wchar_t))));
        ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(CLSID_TestControl, &g_factory, CLSCTX_INPROC_SERVER,
                                                       REGCLS_MULTIPLEUSE, &m_cookie));
    }
    void TearDown() override
    {
        CoRevokeClassObject(m_cookie);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
        SimHostFixture::TearDown();
    }

private:
    DWORD m_cookie = 0;
};

TEST_F(SimHostControlTest, AControlIsStartedByProgIdAndItsMenuItemRuns)
{
    {
        RefPtr<IDispatch> control;
        ASSERT_HRESULT_SUCCEEDED(host.LoadControl(kProgId, control));
        EXPECT_TRUE(host.InitializeControl(control.Get()));
    }
    EXPECT_EQ(1, g_log.initialised);
    ASSERT_EQ(1u, host.MenuItems().size());
    EXPECT_EQ(L"Tools|", host.MenuItems()[0].path);
    ASSERT_EQ(1u, host.Registrations().size());
    EXPECT_EQ(L"RegisterMenuItem", host.Registrations()[0].member);

    EXPECT_HRESULT_SUCCEEDED(host.RunMenuItem(L"Tester", L"OnTester"));
    EXPECT_EQ(1, g_log.commands);
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, host.RunMenuItem(L"Tester", L"Nothing"));
}

// MDIFrame opens a real frame: Wine's ActiveX host window sites the probe
// control (named by its class id, its class object registered for this
// process) and the host hands it the application.
class SimHostFrameTest : public SimHostFixture {
protected:
    void SetUp() override
    {
        SimHostFixture::SetUp();
        // Loaded for the whole run: the host releases the control after this fixture's members are gone.
        static const HMODULE probe = LoadLibraryExW((TestModuleFolder() + L"ActiveXProbe.ocx").c_str(), nullptr,
                                                    LOAD_WITH_ALTERED_SEARCH_PATH);
        ASSERT_TRUE(probe);
        auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
            reinterpret_cast<void*>(GetProcAddress(probe, "DllGetClassObject")));
        ASSERT_TRUE(getClassObject);
        RefPtr<IClassFactory> factory;
        ASSERT_HRESULT_SUCCEEDED(getClassObject(kProbeClsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())));
        ASSERT_HRESULT_SUCCEEDED(
            CoRegisterClassObject(kProbeClsid, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie));
    }
    void TearDown() override
    {
        CoRevokeClassObject(m_cookie);
        SimHostFixture::TearDown();
    }

    HRESULT MDIFrame(const std::wstring& progId)
    {
        ScopedBstr caption(L"Tester"), name(progId);
        auto text = [](ScopedBstr& b) {
            VARIANT v;
            VariantInit(&v);
            v.vt = VT_BSTR;
            v.bstrVal = b.Get();
            return v;
        };
        const LONG numbers[8] = {30, 40, 300, 200, 300, 200, 300, 200};
        VARIANT args[10]; // last to first
        args[9] = text(caption);
        for (int i = 0; i < 8; ++i) {
            VariantInit(&args[8 - i]);
            args[8 - i].vt = VT_I4;
            args[8 - i].lVal = numbers[i];
        }
        args[0] = text(name);
        ScopedVariant result;
        return CallByName(host.Application(), L"MDIFrame", args, 10, result.Get());
    }

private:
    DWORD m_cookie = 0;
};

TEST_F(SimHostFrameTest, AFrameWindowSitesANewControlThatIsHandedTheApplication)
{
    ASSERT_HRESULT_SUCCEEDED(MDIFrame(RegistryGuidString(kProbeClsid)));
    ASSERT_EQ(1u, host.FrameWindows().size());
    const SimFrameWindow& frame = host.FrameWindows()[0];
    EXPECT_EQ(L"Tester", frame.caption);
    EXPECT_TRUE(IsWindowVisible(frame.frame));
    RECT place{};
    GetWindowRect(frame.frame, &place);
    EXPECT_EQ(30, place.left);
    EXPECT_EQ(40, place.top);
    EXPECT_EQ(300, place.right - place.left);
    EXPECT_EQ(200, place.bottom - place.top);
    EXPECT_EQ(frame.frame, GetParent(frame.container));

    // The control's own window is inside the container, and it has the application.
    ScopedVariant handle, hasLyric;
    ASSERT_HRESULT_SUCCEEDED(host.CallControl(frame.control.Get(), L"WindowHandle", DISPATCH_METHOD, {}, handle.Get()));
    EXPECT_EQ(frame.container, GetParent(reinterpret_cast<HWND>(static_cast<INT_PTR>(handle->lVal))));
    EXPECT_EQ(S_OK, frame.setLyric);
    ASSERT_HRESULT_SUCCEEDED(host.CallControl(frame.control.Get(), L"HasLyric", DISPATCH_METHOD, {}, hasLyric.Get()));
    EXPECT_EQ(1, hasLyric->lVal);
    EXPECT_EQ(1u, host.Controls().size()); // the frame's control is the only one loaded
}

TEST_F(SimHostFrameTest, AControlThatCannotBeMadeIsAHostErrorAndLeavesNoFrame)
{
    EXPECT_EQ(DISP_E_EXCEPTION, MDIFrame(L"No.Such.Control.1"));
    EXPECT_TRUE(host.FrameWindows().empty());
    EXPECT_EQ(nullptr, FindWindowW(nullptr, L"Tester"));
}

TEST_F(SimHostControlTest, EditingPropertiesHandsTheControlTheNodesCollection)
{
    CSimNode& movie = host.AddNode(scene, L"Promo", SimNodeMovie);
    host.DeclareProperty({L"D", L"Enabled", 0, L"0", {L"LyricMovie"}, L""});
    host.DeclareProperty({L"D", L"Script", 0, L"", {L"LyricMovie"}, L""});
    host.DeclareProperty({L"D", L"Other", 0, L"", {L"LyricGeoPlugin"}, L""});
    RefPtr<IDispatch> control;
    ASSERT_HRESULT_SUCCEEDED(host.LoadControl(kProgId, control));
    EXPECT_HRESULT_SUCCEEDED(host.EditProperties(control.Get(), movie, L"D"));
    EXPECT_EQ(2, g_log.editedProperties);
}

TEST_F(SimHostControlTest, ControlsOfOthersAreCalledByName)
{
    RefPtr<IDispatch> dictionary;
    ASSERT_HRESULT_SUCCEEDED(host.LoadControl(L"Scripting.Dictionary", dictionary));
    EXPECT_HRESULT_SUCCEEDED(host.CallControl(dictionary.Get(), L"Add", DISPATCH_METHOD,
                                              {CSimValue(std::wstring(L"key")), CSimValue(42L)}, nullptr));
    ScopedVariant count;
    EXPECT_HRESULT_SUCCEEDED(host.CallControl(dictionary.Get(), L"Count", DISPATCH_PROPERTYGET, {}, count.Get()));
    EXPECT_EQ(L"1", DescribeValue(*count.Get()));
    ScopedVariant item;
    EXPECT_HRESULT_SUCCEEDED(
        host.CallControl(dictionary.Get(), L"Item", DISPATCH_PROPERTYGET, {CSimValue(std::wstring(L"key"))}, item.Get()));
    EXPECT_EQ(L"42", DescribeValue(*item.Get()));
    EXPECT_EQ(DISP_E_UNKNOWNNAME, host.CallControl(dictionary.Get(), L"Explode", DISPATCH_METHOD, {}, nullptr));
    EXPECT_FALSE(host.InitializeControl(dictionary.Get())); // no OnInitialize: no start-up

    RefPtr<IDispatch> none;
    EXPECT_TRUE(FAILED(host.LoadControl(L"No.Such.Control.1", none)));
    EXPECT_FALSE(none);
}

} // namespace
