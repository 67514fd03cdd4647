// Plotvane.ocx as the host uses it: registered in the prefix, created by
// its ProgID, started with OnInitialize and asked to open its frame.
#include <gtest/gtest.h>

#include <memory>

#include "chartcontrol/QuillonIds.h"
#include "common/about/AboutIds.h"
#include "base/com/ComTypes.h"
#include "testing/comreg/ServerRegistrationTestSupport.h"
#include "testing/simhost/SimHostTestSupport.h"
#include "testing/testmain/TestVariants.h"
#include "testing/uitest/ModalDriver.h"

namespace {

const std::wstring G = kPlotvanePropertyGroup;

class PlotvaneHostTest : public SimHostFixture {
protected:
    static void SetUpTestSuite()
    {
        s_registration = std::make_unique<CScopedServerRegistration>(TestModuleFolder() + L"Plotvane.ocx");
    }
    static void TearDownTestSuite() { s_registration.reset(); }

    void SetUp() override
    {
        SimHostFixture::SetUp();
        ASSERT_HRESULT_SUCCEEDED(s_registration->Result());
        ASSERT_HRESULT_SUCCEEDED(host.LoadControl(kQuillonProgId, control));
        host.ClearLog();
    }
    void TearDown() override
    {
        control.Reset();
        SimHostFixture::TearDown();
    }

    // OnInitialize(lyricObject, status) with the caller's own forms of both.
    HRESULT Initialize(const VARIANT& lyricObject, const VARIANT& status)
    {
        return host.CallControl(control.Get(), L"OnInitialize", DISPATCH_METHOD, {CSimValue(lyricObject), CSimValue(status)},
                                nullptr);
    }

    RefPtr<IDispatch> control;

private:
    static std::unique_ptr<CScopedServerRegistration> s_registration;
};
std::unique_ptr<CScopedServerRegistration> PlotvaneHostTest::s_registration;

TEST_F(PlotvaneHostTest, OnInitializeRegistersThePluginItsMenuItemAndItsFourProperties)
{
    EXPECT_TRUE(host.InitializeControl(control.Get())) << "status 1";
    const std::vector<std::wstring> expected = {
        L"RegisterLEIFlet \"0001\" \"Plotvane\"",
        L"RegisterMenuItem \"Plotvane\" \"Tools|\" \"OnQuillon\"",
        L"RegisterObjectProperty \"" + G + L"\" \"Data\" \"0\" \"\" \"{LyricGlobalLight}\" \"\"",
        L"RegisterObjectProperty \"" + G + L"\" \"TrellanGUID\" \"0\" \"\" \"{LyricGeoPlugin}\" \"\"",
        L"RegisterObjectProperty \"" + G + L"\" \"VantreGUID\" \"0\" \"\" \"{LyricGeoPlugin}\" \"\"",
        L"RegisterObjectProperty \"" + G + L"\" \"Data\" \"0\" \"\" \"{LyricGeoPlugin}\" \"\""};
    EXPECT_EQ(expected, CallsOf(host, L"Application"));
    ASSERT_EQ(1u, host.MenuItems().size());

    // Both "Data" declarations stand: the scene's light can carry a chart document.
    CSimNode& chart = host.AddNode(scene, L"Chart", SimNodeGeoPlugin);
    EXPECT_EQ(L"", DescribeValue(host.PropertyValue(*scene.nodes.front(), G, L"Data").Get()));
    EXPECT_EQ(L"", DescribeValue(host.PropertyValue(chart, G, L"Data").Get()));
    EXPECT_EQ(L"", DescribeValue(host.PropertyValue(chart, G, L"VantreGUID").Get()));
}

TEST_F(PlotvaneHostTest, WithoutAnApplicationOrAfterAHostErrorTheStatusStaysZero)
{
    ScopedBstr text(L"application");
    const VARIANT textValue = TextArgument(text.Get());
    struct Case {
        const char* what;
        VARIANT lyricObject;
    };
    const Case cases[] = {
        {"an empty variant", VARIANT{}},
        {"a null dispatch", ObjectArgument(VT_DISPATCH, nullptr)},
        {"a string", textValue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LONG status = 7;
        EXPECT_HRESULT_SUCCEEDED(Initialize(c.lyricObject, ByReference(VT_I4, &status)));
        EXPECT_EQ(0, status);
        EXPECT_TRUE(CallsOf(host, L"Application").empty());
    }

    // A host error on the menu item: nothing after it, status 0.
    host.InjectError(L"Application", L"RegisterMenuItem", L"The menu is locked");
    LONG status = 7;
    EXPECT_HRESULT_SUCCEEDED(Initialize(ObjectArgument(VT_DISPATCH, host.Application()), ByReference(VT_I4, &status)));
    EXPECT_EQ(0, status);
    EXPECT_EQ((std::vector<std::wstring>{L"RegisterLEIFlet \"0001\" \"Plotvane\"", L"RegisterMenuItem \"Plotvane\" \"Tools|\" \"OnQuillon\""}),
              CallsOf(host, L"Application"));
    EXPECT_EQ(0, host.CallCount(L"Application", L"RegisterObjectProperty"));
}

TEST_F(PlotvaneHostTest, TheApplicationAndTheStatusArriveInEveryFormAHostOrScriptUses)
{
    IDispatch* app = host.Application();
    VARIANT_BOOL asBool = VARIANT_FALSE;
    VARIANT asVariant;
    VariantInit(&asVariant);
    LONG asLong = 0;
    IDispatch* byReference = app;
    struct Case {
        const char* what;
        VARIANT lyricObject;
        VARIANT status;
    };
    const Case cases[] = {
        {"a script's boolean", ObjectArgument(VT_DISPATCH, app), ByReference(VT_BOOL, &asBool)},
        {"a script's variant", ObjectArgument(VT_DISPATCH, app), ByReference(VT_VARIANT, &asVariant)},
        {"the application by reference", ByReference(VT_DISPATCH, &byReference), ByReference(VT_I4, &asLong)},
        {"the application as IUnknown", ObjectArgument(VT_UNKNOWN, app), VARIANT{}},
        {"no place for the status", ObjectArgument(VT_DISPATCH, app), ByReference(VT_I4, nullptr)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.ClearLog();
        EXPECT_HRESULT_SUCCEEDED(Initialize(c.lyricObject, c.status));
        EXPECT_EQ(6u, CallsOf(host, L"Application").size());
    }
    EXPECT_EQ(VARIANT_TRUE, asBool);
    EXPECT_EQ(VT_I4, asVariant.vt);
    EXPECT_EQ(1, asVariant.lVal);
    EXPECT_EQ(1, asLong);
}

TEST_F(PlotvaneHostTest, TheMenuCommandOpensAFrameWhoseNewControlIsSitedAndHandedTheApplication)
{
    // Before OnInitialize there is no application: the command does nothing.
    EXPECT_HRESULT_SUCCEEDED(host.CallControl(control.Get(), L"OnQuillon", DISPATCH_METHOD,
                                              {CSimValue(std::wstring(L"OnQuillon"))}, nullptr));
    EXPECT_TRUE(host.Calls().empty());

    host.Registry()[{L"Quillon", L"FrameLeft"}] = CSimValue(20L);
    host.Registry()[{L"Quillon", L"FrameTop"}] = CSimValue(30L);
    ASSERT_TRUE(host.InitializeControl(control.Get()));
    host.ClearLog();
    ASSERT_HRESULT_SUCCEEDED(host.RunMenuItem(L"Plotvane", L"OnQuillon"));
    // The frame's control opens the editor, which reads the active scene's document.
    EXPECT_EQ((std::vector<std::wstring>{
                  L"GetRegistry \"Quillon\" \"FrameLeft\" \"10\"", L"GetRegistry \"Quillon\" \"FrameTop\" \"10\"",
                  L"MDIFrame \"Plotvane - Version 1.0.0.1\" \"20\" \"30\" \"440\" \"340\" \"440\" \"340\" \"440\" \"340\" "
                  L"\"Velmora.LEIFlet.Plotvane.1\"",
                  L"ActiveCanvas"}),
              CallsOf(host, L"Application"));

    ASSERT_EQ(1u, host.FrameWindows().size());
    const SimFrameWindow& frame = host.FrameWindows()[0];
    EXPECT_EQ(L"Plotvane - Version 1.0.0.1", frame.caption);
    EXPECT_NE(control.Get(), frame.control.Get()) << "a new instance";
    RefPtr<IOleWindow> window;
    ASSERT_HRESULT_SUCCEEDED(frame.control->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(window.Put())));
    HWND controlWindow = nullptr;
    ASSERT_HRESULT_SUCCEEDED(window->GetWindow(&controlWindow));
    EXPECT_EQ(frame.container, GetParent(controlWindow)) << "sited in the container's window";
    EXPECT_EQ(S_OK, frame.setLyric);

    // The frame's control has the application: its own menu command reaches the host.
    host.ClearLog();
    EXPECT_HRESULT_SUCCEEDED(host.CallControl(frame.control.Get(), L"OnQuillon", DISPATCH_METHOD,
                                              {CSimValue(std::wstring(L"OnQuillon"))}, nullptr));
    EXPECT_EQ(1, host.CallCount(L"Application", L"MDIFrame"));
}

TEST_F(PlotvaneHostTest, SetLyricTakesOnlyADispatchObject)
{
    ScopedBstr text(L"application");
    const VARIANT textValue = TextArgument(text.Get());
    ASSERT_TRUE(host.InitializeControl(control.Get()));
    host.InjectError(L"Application", L"MDIFrame", L"No frames today");  // the command's last call, logged
    for (const VARIANT& notAnApplication : {VARIANT{}, ObjectArgument(VT_DISPATCH, nullptr), textValue}) {
        host.ClearLog();
        ASSERT_HRESULT_SUCCEEDED(host.CallControl(control.Get(), L"SetLyric", DISPATCH_METHOD,
                                                  {CSimValue(notAnApplication)}, nullptr));
        // The application is the one it had: the menu command still reaches the host.
        ASSERT_HRESULT_SUCCEEDED(host.CallControl(control.Get(), L"OnQuillon", DISPATCH_METHOD,
                                                  {CSimValue(std::wstring(L"OnQuillon"))}, nullptr));
        EXPECT_EQ(1, host.CallCount(L"Application", L"MDIFrame"));
    }
}

TEST_F(PlotvaneHostTest, TransitionsAndUnknownEventsAnswerZero)
{
    ScopedVariant result;
    ASSERT_HRESULT_SUCCEEDED(host.CallControl(control.Get(), L"LyricTransition", DISPATCH_METHOD,
                                              {CSimValue(1L), CSimValue(2L), CSimValue(std::wstring(L"In")), CSimValue(3L)},
                                              result.Get()));
    EXPECT_EQ(VT_ERROR, result->vt);
    EXPECT_EQ(0, result->scode);
    EXPECT_HRESULT_SUCCEEDED(host.CallControl(control.Get(), L"LyricEvent", DISPATCH_METHOD, {CSimValue(0L)}, nullptr));
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, host.CallControl(control.Get(), L"LyricTransition", DISPATCH_METHOD, {}, nullptr));
}

TEST_F(PlotvaneHostTest, ABarTheControlMovesIsRebuiltByTheHostsOwnVantre)
{
    // The host loads Vantre.dll by name as its geometry plug-in: the very
    // library the control links, so both see one value store.
    GUID id;
    ASSERT_HRESULT_SUCCEEDED(CoCreateGuid(&id));
    wchar_t guid[64] = {};
    StringFromGUID2(id, guid, 64);
    CSimNode& bar = host.AddNode(scene, L"Bar1", SimNodeGeoPlugin);
    bar.geometryParams = {{118, 1}, {122, 1}, {123, 0}, {125, 0}, {127, 2}};
    ASSERT_TRUE(host.InitializeControl(control.Get()));
    bar.properties[G][L"VantreGUID"] = CSimValue(std::wstring(guid));
    std::wstring error;
    ASSERT_LE(0, host.Geometry().Rebuild(error)) << error;

    EXPECT_HRESULT_SUCCEEDED(host.CallControl(control.Get(), L"UpdateChart", DISPATCH_METHOD,
                                              {CSimValue(std::wstring(L"barname=Bar1&bar1percent=50"))}, nullptr));
    EXPECT_LT(0, host.Geometry().Rebuild(error)) << "the value asks for a build";
    float bottom = 0, top = 0;
    ASSERT_TRUE(MeshHeights(*host.Geometry().ObjectOf(bar), bottom, top));
    EXPECT_FLOAT_EQ(1.0f, top - bottom);
}

TEST_F(PlotvaneHostTest, TheAboutBoxShowsTheControlsOwnVersion)
{
    std::wstring version;
    CModalDriver driver({[&version] {
        HWND about = CModalDriver::FindDialog(L"About Plotvane");
        if (!about)
            return false;
        version = WindowTitle(GetDlgItem(about, IDC_ABOUT_VERSION));
        PostMessageW(about, WM_COMMAND, IDOK, 0);
        return true;
    }});
    EXPECT_HRESULT_SUCCEEDED(host.CallControl(control.Get(), L"AboutBox", DISPATCH_METHOD, {}, nullptr));
    EXPECT_TRUE(driver.Done()) << (driver.TimedOut() ? "no About box came" : "");
    EXPECT_EQ(L"Version: 1.0.0.1", version);
}

} // namespace
