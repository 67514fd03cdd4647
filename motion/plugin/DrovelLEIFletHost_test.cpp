// DrovelLEIFlet.ocx as the host uses it: created by its ProgID, started
// with OnInitialize, its menu command, events and property page, and what
// a missing editing component does.
#include <gtest/gtest.h>

#include <ocidl.h>
#include <olectl.h>

#include "base/com/ComTypes.h"
#include "motion/plugin/DrovelLEIFletIds.h"
#include "motion/plugin/test/DrovelPluginTestSupport.h"
#include "testing/testmain/TestVariants.h"
#include "testing/uitest/ModalDriver.h"

namespace {

const std::wstring G = kDrovelPropertyGroup;

class DrovelControlTest : public DrovelPluginTest {
protected:
    // OnInitialize as a host or a script calls it.
    HRESULT Initialize(IDispatch* control, const VARIANT& lyricObject, const VARIANT& status)
    {
        return host.CallControl(control, L"OnInitialize", DISPATCH_METHOD, {CSimValue(lyricObject), CSimValue(status)},
                                nullptr);
    }
};

TEST_F(DrovelControlTest, TheHostFindsTheFourMethodsUnderIdsOneToFour)
{
    RefPtr<IDispatch> control = LoadControl();
    ASSERT_TRUE(control);
    const wchar_t* names[] = {L"OnInitialize", L"Drovel", L"LyricEvent", L"Execute"};
    for (DISPID expected = 1; expected <= 4; ++expected) {
        LPOLESTR name = const_cast<LPOLESTR>(names[expected - 1]);
        DISPID id = 0;
        EXPECT_HRESULT_SUCCEEDED(control->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)) << expected;
        EXPECT_EQ(expected, id);
    }

    // A host that calls by the id alone reaches OnInitialize.
    LONG status = 0;
    VARIANT arguments[2] = {ByReference(VT_I4, &status), ObjectArgument(VT_DISPATCH, host.Application())};
    DISPPARAMS call = {arguments, nullptr, 2, 0};
    ScopedVariant result;
    EXPECT_HRESULT_SUCCEEDED(
        control->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &call, result.Get(), nullptr, nullptr));
    EXPECT_EQ(1, status);
}

TEST_F(DrovelControlTest, OnInitializeRegistersThePluginItsMenuItemItsPropertiesAndItsEditor)
{
    RefPtr<IDispatch> control = LoadControl();
    ASSERT_TRUE(control);
    host.ClearLog();
    EXPECT_TRUE(host.InitializeControl(control.Get())) << "status 1";
    const std::vector<std::wstring> expected = {
        L"RegisterLEIFlet \"0001\" \"Drovel\"",
        L"RegisterMenuItem \"Drovel\" \"Tools|\" \"Drovel\"",
        L"RegisterObjectProperty \"" + G + L"\" \"Enabled\" \"0\" \"0\" \"{LyricMovie}\" \"\"",
        L"RegisterObjectProperty \"" + G + L"\" \"Script\" \"0\" \"\" \"{LyricMovie}\" \"\"",
        L"RegisterObjectProperty \"" + G + L"\" \"Variable\" \"0\" \"\" \"{LyricMovie}\" \"\"",
        L"RegisterObjectProperty \"" + G + L"\" \"ScriptID\" \"0\" \"\" \"{LyricMovie}\" \"\"",
        L"RegisterObjectPropertyEditor \"" + G + L"\" \"Velmora.Drovel.LEIFlet.1\" \"{LyricMovie}\""};
    EXPECT_EQ(expected, CallsOf(host, L"Application"));

    // Every movie object now carries the four settings with their defaults.
    for (const auto& [name, value] : {std::pair{L"Enabled", L"0"}, {L"Script", L""}, {L"Variable", L""},
                                      {L"ScriptID", L""}})
        EXPECT_EQ(value, Property(name)) << name;
    ASSERT_EQ(1u, host.MenuItems().size());
    EXPECT_EQ(L"Drovel", host.MenuItems()[0].command);
}

TEST_F(DrovelControlTest, WithoutAnApplicationTheStatusStaysZeroAndNothingIsRegistered)
{
    RefPtr<IDispatch> control = LoadControl();
    ASSERT_TRUE(control);
    ASSERT_TRUE(host.InitializeControl(control.Get()));
    const long references = host.OutsideReferences();
    ScopedBstr text(L"application");
    struct Case {
        const char* what;
        VARIANT lyricObject;
    };
    const Case cases[] = {
        {"an empty variant", VARIANT{}},
        {"a null dispatch", ObjectArgument(VT_DISPATCH, nullptr)},
        {"a string", TextArgument(text.Get())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.ClearLog();
        LONG status = 7;
        EXPECT_HRESULT_SUCCEEDED(Initialize(control.Get(), c.lyricObject, ByReference(VT_I4, &status)));
        EXPECT_EQ(0, status);
        EXPECT_TRUE(CallsOf(host, L"Application").empty());
        EXPECT_EQ(references, host.OutsideReferences()) << "the application it started with stays";
    }

    // A host error stops the registration there, with the status 0.
    host.InjectError(L"Application", L"RegisterMenuItem", L"The menu is locked");
    host.ClearLog();
    LONG status = 7;
    EXPECT_HRESULT_SUCCEEDED(
        Initialize(control.Get(), ObjectArgument(VT_DISPATCH, host.Application()), ByReference(VT_I4, &status)));
    EXPECT_EQ(0, status);
    EXPECT_EQ(0, host.CallCount(L"Application", L"RegisterObjectProperty"));
}

TEST_F(DrovelControlTest, StartingTwiceAndGoingAwayLeaveNoReferenceOnTheHost)
{
    const long before = host.OutsideReferences();
    RefPtr<IDispatch> control;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(kDrovelClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                              reinterpret_cast<void**>(control.Put())));
    for (int start = 1; start <= 2; ++start) {
        LONG status = 0;
        ASSERT_HRESULT_SUCCEEDED(
            Initialize(control.Get(), ObjectArgument(VT_DISPATCH, host.Application()), ByReference(VT_I4, &status)));
        EXPECT_EQ(1, status);
        EXPECT_EQ(before + 1, host.OutsideReferences()) << "start " << start << ": one reference of its own";
    }
    control.Reset();
    EXPECT_EQ(before, host.OutsideReferences());
}

TEST_F(DrovelControlTest, TheMenuCommandEventsAndAnExecuteWithoutObjectsDoNothing)
{
    RefPtr<IDispatch> control = LoadControl();
    ASSERT_TRUE(host.InitializeControl(control.Get()));
    host.ClearLog();
    ScopedVariant result;
    ASSERT_HRESULT_SUCCEEDED(host.RunMenuItem(L"Drovel", L"Drovel"));
    ASSERT_HRESULT_SUCCEEDED(host.CallControl(control.Get(), L"LyricEvent", DISPATCH_METHOD, {CSimValue(11L)}, nullptr));

    IDispatch* properties = &movie.PropertyCollection(G);
    const VARIANT none = ObjectArgument(VT_DISPATCH, nullptr);
    const VARIANT application = ObjectArgument(VT_DISPATCH, host.Application());
    const VARIANT collection = ObjectArgument(VT_DISPATCH, properties);
    for (const auto& [first, second] : {std::pair{none, collection}, {application, none}}) {
        result.Clear();
        EXPECT_HRESULT_SUCCEEDED(host.CallControl(control.Get(), L"Execute", DISPATCH_METHOD,
                                                  {CSimValue(first), CSimValue(second)}, result.Get()));
        EXPECT_EQ(VT_I4, result->vt);
        EXPECT_EQ(0, result->lVal);
    }
    EXPECT_TRUE(host.Calls().empty()) << "no dialog, no host call";
}

TEST_F(DrovelControlTest, ThePropertyPageIsTitledGeneralAndShowsNothing)
{
    RefPtr<IDispatch> control = LoadControl();
    RefPtr<ISpecifyPropertyPages> specify;
    ASSERT_HRESULT_SUCCEEDED(control->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(specify.Put())));
    CAUUID pages{};
    ASSERT_HRESULT_SUCCEEDED(specify->GetPages(&pages));
    ASSERT_EQ(1u, pages.cElems);
    EXPECT_TRUE(IsEqualCLSID(kDrovelPageClsid, pages.pElems[0]));
    CoTaskMemFree(pages.pElems);

    RefPtr<IPropertyPage> page;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(kDrovelPageClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                              reinterpret_cast<void**>(page.Put())));
    PROPPAGEINFO info{};
    ASSERT_HRESULT_SUCCEEDED(page->GetPageInfo(&info));
    ASSERT_NE(nullptr, info.pszTitle);
    EXPECT_STREQ(L"General", info.pszTitle);
    CoTaskMemFree(info.pszTitle);
    EXPECT_GT(info.size.cx, 0);
    EXPECT_GT(info.size.cy, 0);
}

// Closes every message box that says the component is missing; counts them.
CModalDriver::Step CloseMissingComponentMessages(int& shown)
{
    return [&shown] {
        HWND box = CModalDriver::FindDialog(
            [](HWND window) { return CModalDriver::StaticTexts(window) == L"Failed to load SciLexer.dll"; });
        if (box && IsWindowEnabled(box)) {
            ++shown;
            EnableWindow(box, FALSE);  // counted once, closed by the posted command
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return false;  // runs for the driver's whole life
    };
}

TEST_F(DrovelWithoutEditorTest, TheUserIsToldOncePerControlAndTheControlStillRegisters)
{
    int shown = 0;
    CModalDriver driver({CloseMissingComponentMessages(shown)}, 20000);
    RefPtr<IDispatch> first = LoadControl();
    ASSERT_TRUE(first);
    EXPECT_EQ(1, shown);
    EXPECT_TRUE(host.InitializeControl(first.Get()));
    EXPECT_EQ(1, shown) << "nothing more after the creation";
    RefPtr<IDispatch> second = LoadControl();
    EXPECT_EQ(2, shown);
    EXPECT_FALSE(driver.TimedOut());
}

} // namespace
