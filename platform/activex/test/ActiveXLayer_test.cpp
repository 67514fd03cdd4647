// The ActiveX layer through the probe control, as a host and a container
// use it: class object and module lock, the type-library-driven Invoke,
// the control interfaces, and siting in Wine's own ActiveX host window.
#include <gtest/gtest.h>

#include <olectl.h>

#include "base/com/ScopedExcepInfo.h"
#include "platform/activex/test/ActiveXProbeResources.h"
#include "platform/activex/test/ActiveXProbeTestSupport.h"
#include "platform/ui/MessageLoop.h"
#include "testing/testmain/TestVariants.h"
#include "testing/uitest/ModalDriver.h"

namespace {

using ActiveXFactoryTest = ProbeModuleTest;

TEST_F(ActiveXFactoryTest, ClassObjectMakesControlsAndHoldsTheModuleWhileAnythingLives)
{
    RefPtr<IClassFactory> none;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, ClassObject(IID_IDispatch, none));
    EXPECT_FALSE(none);
    EXPECT_EQ(S_OK, CanUnloadNow());

    RefPtr<IClassFactory> factory;
    ASSERT_HRESULT_SUCCEEDED(ClassObject(kProbeClsid, factory));
    EXPECT_EQ(S_FALSE, CanUnloadNow()) << "a class object in use";
    RefPtr<IUnknown> aggregate;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              factory->CreateInstance(factory.Get(), IID_IUnknown, reinterpret_cast<void**>(aggregate.Put())));
    EXPECT_FALSE(aggregate);
    RefPtr<IOleObject> control;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateInstance(nullptr, IID_IOleObject, reinterpret_cast<void**>(control.Put())));

    EXPECT_HRESULT_SUCCEEDED(factory->LockServer(TRUE));
    factory.Reset();
    control.Reset();
    EXPECT_EQ(S_FALSE, CanUnloadNow()) << "a server lock";
    ASSERT_HRESULT_SUCCEEDED(ClassObject(kProbeClsid, factory));
    EXPECT_HRESULT_SUCCEEDED(factory->LockServer(FALSE));
    factory.Reset();
    EXPECT_EQ(S_OK, CanUnloadNow());

    RefPtr<IDispatch> probe = NewProbe();
    ASSERT_TRUE(probe);
    EXPECT_EQ(S_FALSE, CanUnloadNow()) << "a live control";
    probe.Reset();
    EXPECT_EQ(S_OK, CanUnloadNow());
}

TEST_F(ActiveXFactoryTest, ControlAnswersWhatAContainerAsksWithOneIdentity)
{
    RefPtr<IDispatch> probe = NewProbe();
    ASSERT_TRUE(probe);
    RefPtr<IUnknown> identity;
    ASSERT_HRESULT_SUCCEEDED(probe->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.Put())));
    const IID interfaces[] = {IID_IDispatch, kProbeDispatchIid, IID_IOleObject, IID_IOleWindow, IID_IOleInPlaceObject,
                              IID_IOleInPlaceActiveObject, IID_IOleControl, IID_IViewObject, IID_IViewObject2,
                              IID_IPersist, IID_IPersistStreamInit, IID_IProvideClassInfo, IID_IProvideClassInfo2,
                              IID_IConnectionPointContainer, IID_ISpecifyPropertyPages};
    for (const IID& iid : interfaces) {
        RefPtr<IUnknown> part;
        ASSERT_HRESULT_SUCCEEDED(probe->QueryInterface(iid, reinterpret_cast<void**>(part.Put())));
        RefPtr<IUnknown> back;
        ASSERT_HRESULT_SUCCEEDED(part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(back.Put())));
        EXPECT_EQ(identity.Get(), back.Get());
    }

    RefPtr<IOleObject> ole;
    ASSERT_HRESULT_SUCCEEDED(probe->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(ole.Put())));
    DWORD status = 0;
    EXPECT_HRESULT_SUCCEEDED(ole->GetMiscStatus(DVASPECT_CONTENT, &status));
    EXPECT_EQ(kProbeMiscStatus, status);
    SIZEL extent{1000, 500}, read{};
    EXPECT_HRESULT_SUCCEEDED(ole->SetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_HRESULT_SUCCEEDED(ole->GetExtent(DVASPECT_CONTENT, &read));
    EXPECT_EQ(1000, read.cx);
    EXPECT_EQ(500, read.cy);
    RefPtr<IOleWindow> oleWindow;
    ASSERT_HRESULT_SUCCEEDED(probe->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(oleWindow.Put())));
    HWND none = nullptr;
    EXPECT_EQ(E_FAIL, oleWindow->GetWindow(&none)) << "no window before the container activates it";

    RefPtr<IProvideClassInfo2> classInfo;
    ASSERT_HRESULT_SUCCEEDED(probe->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(classInfo.Put())));
    GUID source{};
    EXPECT_HRESULT_SUCCEEDED(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    EXPECT_TRUE(IsEqualGUID(kProbeEventIid, source));
    RefPtr<ITypeInfo> coclass;
    ASSERT_HRESULT_SUCCEEDED(classInfo->GetClassInfo(coclass.Put()));
    TYPEATTR* attributes = nullptr;
    ASSERT_HRESULT_SUCCEEDED(coclass->GetTypeAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(kProbeClsid, attributes->guid));
    coclass->ReleaseTypeAttr(attributes);

    RefPtr<ISpecifyPropertyPages> pages;
    ASSERT_HRESULT_SUCCEEDED(probe->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(pages.Put())));
    CAUUID list{};
    ASSERT_HRESULT_SUCCEEDED(pages->GetPages(&list));
    ASSERT_EQ(1u, list.cElems);
    EXPECT_TRUE(IsEqualGUID(kProbePageClsid, list.pElems[0]));
    CoTaskMemFree(list.pElems);

    // The event point takes a sink, gives it back, and knows no other interface.
    RefPtr<IConnectionPointContainer> container;
    ASSERT_HRESULT_SUCCEEDED(probe->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.Put())));
    RefPtr<IConnectionPoint> point;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(IID_IDispatch, point.Put()));
    ASSERT_HRESULT_SUCCEEDED(container->FindConnectionPoint(kProbeEventIid, point.Put()));
    RefPtr<IDispatch> sink = NewProbe();  // any dispatch object serves as a sink
    DWORD cookie = 0;
    ASSERT_HRESULT_SUCCEEDED(point->Advise(sink.Get(), &cookie));
    EXPECT_HRESULT_SUCCEEDED(point->Unadvise(cookie));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(cookie));
}

struct InvokeCase {
    const char* what;
    const wchar_t* member;
    std::vector<VARIANT> arguments;
    WORD flags;
    HRESULT expected;
    const wchar_t* resultText;  // DescribeResult of the answer when the call succeeds
    UINT argumentError;         // checked for DISP_E_TYPEMISMATCH
};

std::wstring DescribeResult(const VARIANT& v)
{
    switch (v.vt) {
    case VT_BSTR: return L"text " + std::wstring(v.bstrVal ? v.bstrVal : L"");
    case VT_I4: return L"long " + std::to_wstring(v.lVal);
    case VT_ERROR: return L"scode " + std::to_wstring(v.scode);
    case VT_EMPTY: return L"empty";
    default: return L"vt " + std::to_wstring(v.vt);
    }
}

TEST_F(ActiveXFactoryTest, InvokeChecksAndConvertsArgumentsAsTheTypeLibraryDeclares)
{
    RefPtr<IDispatch> probe = NewProbe();
    ASSERT_TRUE(probe);
    ScopedBstr a(L"a"), b(L"b"), twelve(L"12"), x(L"x");
    BSTR byRefText = b.Get();
    VARIANT innerNumber = TextArgument(twelve.Get());
    VARIANT innerReal;
    VariantInit(&innerReal);
    innerReal.vt = VT_R4;
    innerReal.fltVal = 0.5f;
    VARIANT shortValue;
    VariantInit(&shortValue);
    shortValue.vt = VT_I2;
    shortValue.iVal = 3;

    const std::vector<InvokeCase> cases = {
        {"plain values", L"Describe", {TextArgument(a.Get()), LongArgument(7), RealArgument(2.5), shortValue}, DISPATCH_METHOD, S_OK,
         L"text a|7|2.5|2", 0},
        {"by reference and script variants", L"Describe",
         {ByReference(VT_BSTR, &byRefText), ByReference(VT_VARIANT, &innerNumber), ByReference(VT_VARIANT, &innerReal),
          ByReference(VT_VARIANT, &shortValue)},
         DISPATCH_METHOD, S_OK, L"text b|12|0.5|2", 0},
        {"as a script's property get", L"Describe", {TextArgument(a.Get()), LongArgument(1), RealArgument(1), LongArgument(1)},
         DISPATCH_METHOD | DISPATCH_PROPERTYGET, S_OK, L"text a|1|1|3", 0},
        {"too few arguments", L"Describe", {TextArgument(a.Get()), LongArgument(7), RealArgument(2.5)}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT,
         nullptr, 0},
        {"too many arguments", L"Nothing", {LongArgument(1)}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT, nullptr, 0},
        {"a text where a long is declared", L"Describe", {TextArgument(a.Get()), TextArgument(x.Get()), RealArgument(2.5), LongArgument(0)}, DISPATCH_METHOD,
         DISP_E_TYPEMISMATCH, nullptr, 2},
        {"a put of a method", L"Nothing", {}, DISPATCH_PROPERTYPUT, DISP_E_MEMBERNOTFOUND, nullptr, 0},
        {"declared SCODE answers 0", L"Nothing", {}, DISPATCH_METHOD, S_OK, L"scode 0", 0},
        {"declared long answers 0", L"WindowHandle", {}, DISPATCH_METHOD, S_OK, L"long 0", 0},
        {"void answers nothing", L"Fail", {LongArgument(0)}, DISPATCH_METHOD, S_OK, L"empty", 0},
        {"a dispatch object", L"HasObject", {ObjectArgument(VT_DISPATCH, probe.Get())}, DISPATCH_METHOD, S_OK, L"long 1", 0},
        {"an object through IUnknown", L"HasObject", {ObjectArgument(VT_UNKNOWN, probe.Get())}, DISPATCH_METHOD, S_OK,
         L"long 1", 0},
        {"a null dispatch", L"HasObject", {ObjectArgument(VT_DISPATCH, nullptr)}, DISPATCH_METHOD, S_OK, L"long 0", 0},
        {"an empty variant", L"HasObject", {VARIANT{}}, DISPATCH_METHOD, S_OK, L"long 0", 0},
        {"a text is no object", L"HasObject", {TextArgument(a.Get())}, DISPATCH_METHOD, S_OK, L"long 0", 0},
    };
    for (const InvokeCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedVariant result;
        UINT argumentError = 99;
        const HRESULT hr = CallProbe(probe.Get(), c.member, c.arguments, result.Get(), c.flags, &argumentError);
        EXPECT_EQ(c.expected, hr);
        if (SUCCEEDED(hr) && c.resultText) {
            EXPECT_EQ(c.resultText, DescribeResult(*result.Get()));
        }
        if (hr == DISP_E_TYPEMISMATCH) {
            EXPECT_EQ(c.argumentError, argumentError);
        }
    }

    // Named arguments are refused; an unknown id is no member.
    VARIANT one = LongArgument(1);
    DISPID named = 0;
    DISPPARAMS withName{&one, &named, 1, 1};
    ScopedVariant ignored;
    EXPECT_EQ(DISP_E_NONAMEDARGS,
              probe->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &withName, ignored.Get(), nullptr, nullptr));
    DISPPARAMS none{};
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              probe->Invoke(99, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, ignored.Get(), nullptr, nullptr));
    DISPID id = 0;
    LPOLESTR lower[] = {const_cast<LPOLESTR>(L"describe")};
    EXPECT_HRESULT_SUCCEEDED(probe->GetIDsOfNames(IID_NULL, lower, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(1, id);
}

TEST_F(ActiveXFactoryTest, AnOutValueIsWrittenInTheCallersOwnType)
{
    RefPtr<IDispatch> probe = NewProbe();
    ASSERT_TRUE(probe);
    LONG asLong = 0;
    VARIANT_BOOL asBool = VARIANT_FALSE;
    VARIANT asVariant;
    VariantInit(&asVariant);
    BSTR asText = nullptr;

    struct OutCase {
        const char* what;
        VARIANT place;
        HRESULT expected;
        LONG written;  // the member's answer: 1 when it could write
    };
    const OutCase cases[] = {
        {"a long", ByReference(VT_I4, &asLong), S_OK, 1},
        {"a script boolean", ByReference(VT_BOOL, &asBool), S_OK, 1},
        {"a script variant", ByReference(VT_VARIANT, &asVariant), S_OK, 1},
        {"a null place", ByReference(VT_I4, nullptr), S_OK, 0},
        {"no place at all", VARIANT{}, S_OK, 0},
        {"a text place", ByReference(VT_BSTR, &asText), DISP_E_TYPEMISMATCH, 0},
    };
    for (const OutCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedVariant result;
        EXPECT_EQ(c.expected, CallProbe(probe.Get(), L"SetStatus", {LongArgument(5), c.place}, result.Get()));
        if (c.expected == S_OK) {
            EXPECT_EQ(c.written, result->lVal);
        }
    }
    EXPECT_EQ(5, asLong);
    EXPECT_EQ(VARIANT_TRUE, asBool);
    EXPECT_EQ(VT_I4, asVariant.vt);
    EXPECT_EQ(5, asVariant.lVal);
    EXPECT_EQ(nullptr, asText);
}

TEST_F(ActiveXFactoryTest, NoExceptionLeavesInvoke)
{
    RefPtr<IDispatch> probe = NewProbe();
    ASSERT_TRUE(probe);
    {
        ScopedExcepInfo info;
        ScopedVariant result;
        EXPECT_EQ(DISP_E_EXCEPTION,
                  CallProbe(probe.Get(), L"Fail", {LongArgument(ProbeDispatchError)}, result.Get(), DISPATCH_METHOD, nullptr,
                            info.Get()));
        EXPECT_EQ(L"probe failure", info.Description());
        EXPECT_EQ(kProbeProgId, info.Source());
        EXPECT_EQ(E_ABORT, info.Code());
    }
    ScopedVariant result;
    EXPECT_EQ(E_OUTOFMEMORY, CallProbe(probe.Get(), L"Fail", {LongArgument(ProbeOutOfMemory)}, result.Get()));
    EXPECT_EQ(E_UNEXPECTED, CallProbe(probe.Get(), L"Fail", {LongArgument(ProbeStrangeException)}, result.Get()));
    // Without a place for error information the code still comes back.
    EXPECT_EQ(DISP_E_EXCEPTION, CallProbe(probe.Get(), L"Fail", {LongArgument(ProbeDispatchError)}, result.Get()));
}

TEST_F(ActiveXFactoryTest, APropertyPageShowsItsTemplateWhileActiveAndExchangesNothing)
{
    RefPtr<IClassFactory> factory;
    ASSERT_HRESULT_SUCCEEDED(ClassObject(kProbePageClsid, factory));
    RefPtr<IPropertyPage> page;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateInstance(nullptr, IID_IPropertyPage, reinterpret_cast<void**>(page.Put())));
    factory.Reset();

    PROPPAGEINFO info{};
    ASSERT_HRESULT_SUCCEEDED(page->GetPageInfo(&info));
    ASSERT_NE(nullptr, info.pszTitle);
    EXPECT_STREQ(L"Probe Page", info.pszTitle);
    CoTaskMemFree(info.pszTitle);

    UniqueWindow frame(CreateWindowExW(0, L"STATIC", L"page frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400,
                                       300, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(frame);
    const RECT place{5, 5, 5 + info.size.cx, 5 + info.size.cy};
    ASSERT_HRESULT_SUCCEEDED(page->Activate(frame.Get(), &place, TRUE));
    HWND window = FindWindowExW(frame.Get(), nullptr, L"#32770", nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(IsWindowVisible(window)) << "shown when the frame says so";
    EXPECT_HRESULT_SUCCEEDED(page->Show(SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(L"Nothing to set", WindowTitle(GetDlgItem(window, IDC_PROBE_PAGE_LABEL)));
    // The size it announced is its template's, in this page's pixels.
    RECT templateSize{0, 0, 150, 60};
    MapDialogRect(window, &templateSize);
    EXPECT_EQ(templateSize.right, info.size.cx);
    EXPECT_EQ(templateSize.bottom, info.size.cy);

    const RECT moved{0, 0, 200, 100};
    EXPECT_HRESULT_SUCCEEDED(page->Move(&moved));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(200, client.right);

    RefPtr<IDispatch> probe = NewProbe();
    IUnknown* objects[] = {probe.Get()};
    EXPECT_HRESULT_SUCCEEDED(page->SetObjects(1, objects));
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_HRESULT_SUCCEEDED(page->Deactivate());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(E_UNEXPECTED, page->Show(SW_SHOW)) << "no window once deactivated";

    page.Reset();
    probe.Reset();
    EXPECT_EQ(S_OK, CanUnloadNow()) << "the page kept the objects it was given";
}

TEST_F(ActiveXFactoryTest, ThePropertyFrameShowsThePageTheControlNames)
{
    RefPtr<IDispatch> probe = NewProbe();
    ASSERT_TRUE(probe);
    RefPtr<ISpecifyPropertyPages> specify;
    ASSERT_HRESULT_SUCCEEDED(probe->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(specify.Put())));
    CAUUID pages{};
    ASSERT_HRESULT_SUCCEEDED(specify->GetPages(&pages));
    RefPtr<IClassFactory> factory;
    ASSERT_HRESULT_SUCCEEDED(ClassObject(kProbePageClsid, factory));
    DWORD cookie = 0;
    ASSERT_HRESULT_SUCCEEDED(
        CoRegisterClassObject(kProbePageClsid, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));

    // The frame is a modal property sheet holding the page's own window.
    CModalDriver driver({[] {
        HWND sheet = CModalDriver::FindDialog(
            [](HWND window) { return CModalDriver::StaticTexts(window).find(L"Nothing to set") != std::wstring::npos; });
        if (sheet)
            PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
        return sheet != nullptr;
    }});
    IUnknown* objects[] = {probe.Get()};
    const HRESULT hr = OleCreatePropertyFrame(nullptr, 0, 0, L"Probe", 1, objects, pages.cElems, pages.pElems,
                                              LOCALE_USER_DEFAULT, 0, nullptr);
    CoTaskMemFree(pages.pElems);
    CoRevokeClassObject(cookie);
    EXPECT_HRESULT_SUCCEEDED(hr);
    EXPECT_TRUE(driver.Done()) << "the page did not appear in the frame";
    EXPECT_FALSE(driver.TimedOut());
}

// Wine's atl.dll: the "AtlAxWin" class, whose window text names the control.
class AtlHost {
public:
    AtlHost() : m_atl(LoadLibraryW(L"atl.dll"))
    {
        if (!m_atl)
            return;
        auto init = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(m_atl.Get(), "AtlAxWinInit")));
        m_getControl = reinterpret_cast<GetControlFn>(reinterpret_cast<void*>(GetProcAddress(m_atl.Get(), "AtlAxGetControl")));
        m_ready = init && m_getControl && init();
    }
    bool Ready() const { return m_ready; }
    HRESULT GetControl(HWND window, RefPtr<IUnknown>& control)
    {
        return m_getControl(window, control.Put());
    }

private:
    using GetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);
    UniqueModule m_atl;
    GetControlFn m_getControl = nullptr;
    bool m_ready = false;
};

class ActiveXSitingTest : public ProbeModuleTest {
protected:
    void SetUp() override
    {
        ProbeModuleTest::SetUp();
        ASSERT_TRUE(m_atl.Ready()) << "atl.dll has no AtlAxWin";
        RefPtr<IClassFactory> factory;
        ASSERT_HRESULT_SUCCEEDED(ClassObject(kProbeClsid, factory));
        ASSERT_HRESULT_SUCCEEDED(
            CoRegisterClassObject(kProbeClsid, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie));
    }
    void TearDown() override
    {
        if (m_cookie)
            CoRevokeClassObject(m_cookie);
    }

    AtlHost m_atl;
    DWORD m_cookie = 0;
};

RECT ClientRect(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

TEST_F(ActiveXSitingTest, AContainerWindowSitesTheControlInItsOwnWindowAndLetsItGo)
{
    wchar_t clsid[40] = {};
    ASSERT_GT(StringFromGUID2(kProbeClsid, clsid, 40), 0);
    UniqueWindow frame(CreateWindowExW(0, L"STATIC", L"ActiveX layer test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                       500, 400, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(frame);
    HWND container = CreateWindowExW(0, L"AtlAxWin", clsid, WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, frame.Get(),
                                     nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, container);

    RefPtr<IDispatch> probe;
    {
        RefPtr<IUnknown> control;
        ASSERT_HRESULT_SUCCEEDED(m_atl.GetControl(container, control));
        ASSERT_HRESULT_SUCCEEDED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(probe.Put())));
    }
    ScopedVariant handle;
    ASSERT_HRESULT_SUCCEEDED(CallProbe(probe.Get(), L"WindowHandle", {}, handle.Get()));
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(handle->lVal));
    ASSERT_TRUE(IsWindow(window)) << "the control's window is made at activation";
    EXPECT_EQ(container, GetParent(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(200, ClientRect(window).right);
    EXPECT_EQ(100, ClientRect(window).bottom);

    // The container passes its new size on.
    MoveWindow(container, 0, 0, 320, 150, TRUE);
    EXPECT_EQ(320, ClientRect(window).right);
    EXPECT_EQ(150, ClientRect(window).bottom);

    // Destroying the container's window deactivates the control and releases it.
    frame.Reset();
    PumpWaitingMessages();
    EXPECT_FALSE(IsWindow(window));
    ScopedVariant afterwards;
    ASSERT_HRESULT_SUCCEEDED(CallProbe(probe.Get(), L"WindowHandle", {}, afterwards.Get()));
    EXPECT_EQ(0, afterwards->lVal);
    probe.Reset();
    CoRevokeClassObject(m_cookie);
    m_cookie = 0;
    EXPECT_EQ(S_OK, CanUnloadNow()) << "the container kept a reference";
}

} // namespace
