#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostElement.h"
#include "hostclient/HostFrameBuffer.h"
#include "hostclient/HostImage.h"
#include "hostclient/HostKeyFrames.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostPropertyGroup.h"
#include "hostclient/HostScene.h"
#include "hostclient/HostSelection.h"
#include "hostclient/HostText.h"
#include "hostclient/HostTransform.h"
#include "hostclient/HostTransition.h"
#include "hostclient/HostVersion.h"
#include "testing/simhost/SimHostTestSupport.h"

namespace {

const wchar_t kGroup[] = L"Velmora.LEIFlet.Plotvane.1::Plotvane";

class HostClientTest : public SimHostFixture {
protected:
    HostClientTest()
    {
        app.Attach(host.Application());
        CSimNode& chart = host.AddNode(scene, L"Chart", SimNodeGeoPlugin);
        host.AddElement(chart, L"Title", SimElementText, L"Dow");
        CSimNode& pie = host.AddNode(scene, L"Pie", SimNodeGroup);
        host.AddNode(scene, L"Slice", SimNodeObject, &pie);
        host.AddTemplate(scene, L"Chart.last", L"101.5");
        host.DeclareProperty({kGroup, L"TrellanGUID", 0, L"", {L"LyricGeoPlugin"}, L""});
    }
    void SetUp() override
    {
        SimHostFixture::SetUp();
        host.ClearLog();
    }

    std::unique_ptr<CHostScene> Scene()
    {
        auto canvas = app.GetActiveCanvas();
        return canvas ? canvas->GetScene() : nullptr;
    }
    std::unique_ptr<CHostNode> Node(const std::wstring& name) { return Scene()->GetElement(name); }

    // Declared before the wrappers so that it is released after them.
    CHostApplication app;
};

TEST_F(HostClientTest, PerInstanceClassesLookUpEveryNameAtEveryAttach)
{
    auto node = Node(L"Chart");
    host.ClearLog();
    auto first = node->GetKeyFrames();
    auto second = node->GetKeyFrames();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(10, host.LookupCount(L"KeyFrames"));
    for (const wchar_t* name : {L"Count", L"KeyFrame", L"Delete", L"DeleteTrack", L"Add"})
        EXPECT_EQ(2, host.LookupCount(L"KeyFrames", name)) << name;
}

TEST_F(HostClientTest, SharedCachesMakeNoLookupsAfterTheirFirstAttach)
{
    auto warm = Node(L"Chart");
    auto element = warm->Element(0);
    host.ClearLog();

    auto node = Node(L"Chart");
    ASSERT_TRUE(node);
    ASSERT_TRUE(node->Element(0));
    CHostApplication another;
    another.Attach(host.Application());
    for (const wchar_t* type : {L"Application", L"Canvas", L"Scene", L"Node", L"Element"})
        EXPECT_EQ(0, host.LookupCount(type)) << type;
}

TEST_F(HostClientTest, ObjectResultsWithoutAnObjectGiveNullAndHoldNothing)
{
    auto s = Scene();
    auto pie = s->GetElement(L"Pie");
    const long objects = host.ObjectCount();
    EXPECT_EQ(nullptr, pie->GetChild(7));               // VT_DISPATCH null
    EXPECT_EQ(nullptr, s->GetTemplate(L"No.such"));     // VT_EMPTY
    EXPECT_EQ(nullptr, s->TransitionByName(L"Never"));  // VT_NULL
    EXPECT_EQ(nullptr, s->GetActiveObject());           // nothing selected
    EXPECT_EQ(nullptr, s->GetElement(L"Chart")->GetGroup());
    EXPECT_EQ(objects, host.ObjectCount());
    ASSERT_TRUE(pie->GetChild(0));
    EXPECT_EQ(L"Slice", pie->GetChild(0)->GetName());
}

TEST_F(HostClientTest, MembersTheHostLacksAreNotCalled)
{
    host.RemoveMember(L"FrameBuffer", L"SceneWithFocus");
    host.RemoveMember(L"FrameBuffer", L"Scenes");
    host.RemoveMember(L"Font", L"Color");
    host.RemoveMember(L"Image", L"UsePBuffer");
    host.SetBackground(scene, L"studio.png");

    auto s = Scene();
    auto frameBuffer = s->GetFrameBuffer();
    ASSERT_TRUE(frameBuffer);
    EXPECT_EQ(nullptr, frameBuffer->SceneWithFocus());
    ScopedVariant scenes;
    frameBuffer->Scenes(scenes);
    EXPECT_EQ(VT_EMPTY, scenes->vt);
    auto font = s->GetElement(L"Chart")->Element(0)->GetText()->GetFont();
    ASSERT_TRUE(font);
    font->SetColor(0xFF0000);
    auto image = s->GetBackground()->GetImage();
    ASSERT_TRUE(image);
    image->SetUsePBuffer(true);

    for (const auto& member : {std::make_pair(L"FrameBuffer", L"SceneWithFocus"), std::make_pair(L"FrameBuffer", L"Scenes"),
                               std::make_pair(L"Font", L"Color"), std::make_pair(L"Image", L"UsePBuffer")})
        EXPECT_EQ(0, host.CallCount(member.first, member.second)) << member.second;
    EXPECT_TRUE(host.Rejections().empty());
    EXPECT_EQ(0xFFFFFFL, host.ActiveScene()->Find(L"Chart")->elements[0]->text->font->color);
}

TEST_F(HostClientTest, MembersTheHostHasAreCalledWhereAbsenceIsTested)
{
    host.SetBackground(scene, L"studio.png");
    auto s = Scene();
    auto frameBuffer = s->GetFrameBuffer();
    auto focus = frameBuffer->SceneWithFocus();
    ASSERT_TRUE(focus);
    EXPECT_EQ(3, focus->GetNodeCount()); // Global Light, Chart, Pie
    ScopedVariant scenes;
    frameBuffer->Scenes(scenes);
    EXPECT_EQ(VT_ARRAY | VT_DISPATCH, scenes->vt);
    s->GetElement(L"Chart")->Element(0)->GetText()->GetFont()->SetColor(0x00FF00);
    s->GetBackground()->GetImage()->SetUsePBuffer(true);
    EXPECT_EQ(0x00FF00L, host.ActiveScene()->Find(L"Chart")->elements[0]->text->font->color);
    EXPECT_TRUE(host.ActiveScene()->background->image->usePBuffer);
}

struct ArgumentShapeCase {
    const wchar_t* title;
    std::function<void(CHostApplication&, CHostScene&)> call;
    const wchar_t* className;
    const wchar_t* member;
    std::vector<VARTYPE> types;
    std::vector<std::wstring> values;
};

TEST_F(HostClientTest, CallsSendTheExactArgumentTypes)
{
    const ArgumentShapeCase cases[] = {
        {L"property on one object type",
         [](CHostApplication& a, CHostScene&) { a.RegisterObjectProperty(kGroup, L"Data", 0, L"", {L"LyricGeoPlugin"}, L""); },
         L"Application", L"RegisterObjectProperty",
         {VT_BSTR, VT_BSTR, VT_I4, VT_BSTR, VT_ARRAY | VT_BSTR, VT_BSTR}, {kGroup, L"Data", L"0", L"", L"{LyricGeoPlugin}", L""}},
        {L"property on two object types, in order",
         [](CHostApplication& a, CHostScene&) { a.RegisterObjectProperty(L"G", L"P", 3, L"d", {L"LyricMovie", L"LyricGroup"}, L"x"); },
         L"Application", L"RegisterObjectProperty",
         {VT_BSTR, VT_BSTR, VT_I4, VT_BSTR, VT_ARRAY | VT_BSTR, VT_BSTR}, {L"G", L"P", L"3", L"d", L"{LyricMovie,LyricGroup}", L"x"}},
        {L"property on no object type",
         [](CHostApplication& a, CHostScene&) { a.RegisterObjectProperty(L"G", L"P", 0, L"", {}, L""); },
         L"Application", L"RegisterObjectProperty",
         {VT_BSTR, VT_BSTR, VT_I4, VT_BSTR, VT_ARRAY | VT_BSTR, VT_BSTR}, {L"G", L"P", L"0", L"", L"{}", L""}},
        {L"property editor",
         [](CHostApplication& a, CHostScene&) { a.RegisterObjectPropertyEditor(L"G", L"Ed.1", {L"LyricMovie"}); },
         L"Application", L"RegisterObjectPropertyEditor", {VT_BSTR, VT_BSTR, VT_ARRAY | VT_BSTR}, {L"G", L"Ed.1", L"{LyricMovie}"}},
        {L"plug-in", [](CHostApplication& a, CHostScene&) { a.RegisterLEIFlet(L"0001", L"Plotvane"); },
         L"Application", L"RegisterLEIFlet", {VT_BSTR, VT_BSTR}, {L"0001", L"Plotvane"}},
        {L"menu item", [](CHostApplication& a, CHostScene&) { a.RegisterMenuItem(L"Plotvane", L"Tools|", L"OnQuillon"); },
         L"Application", L"RegisterMenuItem", {VT_BSTR, VT_BSTR, VT_BSTR}, {L"Plotvane", L"Tools|", L"OnQuillon"}},
        {L"registry default", [](CHostApplication& a, CHostScene&) { a.GetRegistryInt(L"Quillon", L"FrameLeft", 10); },
         L"Application", L"GetRegistry", {VT_BSTR, VT_BSTR, VT_I4}, {L"Quillon", L"FrameLeft", L"10"}},
        {L"registry value", [](CHostApplication& a, CHostScene&) { a.SetRegistryInt(L"Quillon", L"FrameTop", 77); },
         L"Application", L"SetRegistry", {VT_BSTR, VT_BSTR, VT_I4}, {L"Quillon", L"FrameTop", L"77"}},
        {L"keyframe", [](CHostApplication&, CHostScene& s) { s.GetElement(L"Chart")->GetKeyFrames()->Add(12, 1003, 72.5, 0); },
         L"KeyFrames", L"Add", {VT_I4, VT_I4, VT_R8, VT_I4}, {L"12", L"1003", L"72.5", L"0"}},
        {L"select flags", [](CHostApplication&, CHostScene& s) { s.Select(L"Chart", true, false, true); },
         L"Scene", L"Select", {VT_BSTR, VT_I4}, {L"Chart", L"5"}},
        {L"play", [](CHostApplication&, CHostScene& s) { s.Play(false, true); },
         L"Scene", L"Play", {VT_I2, VT_I2}, {L"0", L"1"}},
        {L"visibility", [](CHostApplication&, CHostScene& s) { s.GetElement(L"Chart")->SetVisible(false); },
         L"Node", L"Visible", {VT_BOOL}, {L"false"}},
        {L"scene selection",
         [](CHostApplication&, CHostScene& s) { EXPECT_TRUE(s.GetFrameBuffer()->SelectScene(s)); },
         L"FrameBuffer", L"SelectScene", {VT_DISPATCH}, {L"<object Scene>"}},
    };
    auto s = Scene();
    for (const ArgumentShapeCase& c : cases) {
        host.ClearLog();
        try {
            c.call(app, *s);
        } catch (const CHostException& e) {
            ADD_FAILURE() << c.title << L": " << e.Description();
        }
        const SimCallRecord* call = LastCall(host, c.className, c.member);
        ASSERT_NE(nullptr, call) << c.title;
        EXPECT_EQ(c.types, call->argumentTypes) << c.title;
        EXPECT_EQ(c.values, call->argumentText) << c.title;
        EXPECT_TRUE(host.Rejections().empty()) << c.title;
    }
}

TEST_F(HostClientTest, MdiFramePassesItsEightLongsInOrder)
{
    // No control is registered under the ProgID: the host raises an error after logging the call.
    EXPECT_THROW(app.MDIFrame(L"Plotvane - Version 1.0", {10, 20, 440, 340, 440, 340, 440, 340}, L"No.Such.Control.1"),
                 CHostException);
    const SimCallRecord* call = LastCall(host, L"Application", L"MDIFrame");
    ASSERT_NE(nullptr, call);
    EXPECT_EQ((std::vector<VARTYPE>{VT_BSTR, VT_I4, VT_I4, VT_I4, VT_I4, VT_I4, VT_I4, VT_I4, VT_I4, VT_BSTR}),
              call->argumentTypes);
    EXPECT_EQ((std::vector<std::wstring>{L"Plotvane - Version 1.0", L"10", L"20", L"440", L"340", L"440", L"340", L"440",
                                         L"340", L"No.Such.Control.1"}),
              call->argumentText);
}

TEST_F(HostClientTest, RegistryIntegerFallsBackToTheDefaultUnlessTheAnswerIsALong)
{
    auto& registry = host.Registry();
    registry[{L"Quillon", L"Empty"}] = CSimValue();
    registry[{L"Quillon", L"Text"}] = CSimValue(std::wstring(L"25"));
    registry[{L"Quillon", L"Number"}] = CSimValue(25L);
    EXPECT_EQ(10, app.GetRegistryInt(L"Quillon", L"Empty", 10));
    EXPECT_EQ(10, app.GetRegistryInt(L"Quillon", L"Text", 10));
    EXPECT_EQ(25, app.GetRegistryInt(L"Quillon", L"Number", 10));
    EXPECT_EQ(10, app.GetRegistryInt(L"Quillon", L"Missing", 10));
    app.SetRegistryInt(L"Quillon", L"Missing", -4);
    EXPECT_EQ(-4, app.GetRegistryInt(L"Quillon", L"Missing", 10));
}

TEST_F(HostClientTest, HostErrorsBecomeTheHostExceptionWithTheHostsText)
{
    host.InjectError(L"Scene", L"NodeCount", L"The scene is locked", E_ACCESSDENIED);
    auto s = Scene();
    try {
        s->GetNodeCount();
        FAIL() << "no exception";
    } catch (const CHostException& e) {
        EXPECT_TRUE(e.IsHostError());
        EXPECT_EQ(E_ACCESSDENIED, e.HResult());
        EXPECT_EQ(L"The scene is locked", e.Description());
        EXPECT_EQ(L"Lyric", e.Source());
    }
    try {
        s->GetElement(L"Nowhere");
        FAIL() << "no exception";
    } catch (const CHostException& e) {
        EXPECT_TRUE(e.IsHostError());
        EXPECT_EQ(L"No object named Nowhere", e.Description());
    }
}

TEST_F(HostClientTest, ActiveObjectIsNullWhenTheHostFails)
{
    auto s = Scene();
    s->Select(L"Chart", true, false, false);
    ASSERT_TRUE(s->GetActiveObject());
    EXPECT_EQ(L"Chart", s->GetActiveObject()->GetName());

    host.InjectError(L"Scene", L"ActiveObject", L"Busy");
    EXPECT_EQ(nullptr, s->GetActiveObject());
    EXPECT_EQ(3, host.CallCount(L"Scene", L"ActiveObject"));
}

TEST_F(HostClientTest, ValueStringReportsStringsOnly)
{
    host.DeclareProperty({kGroup, L"Count", 0, L"", {L"LyricGeoPlugin"}, L""});
    auto group = Node(L"Chart")->Properties(kGroup);
    ASSERT_TRUE(group);
    ScopedVariant five;
    five->vt = VT_I4;
    five->lVal = 5;
    group->SetValue(L"Count", *five.Get());
    ScopedVariant guid;
    guid->vt = VT_BSTR;
    guid->bstrVal = SysAllocString(L"{01234567-89AB-CDEF-0123-456789ABCDEF}");
    group->SetValue(L"TrellanGUID", *guid.Get());

    struct Case {
        const wchar_t* property;
        bool result;
        const wchar_t* out;
    } const cases[] = {
        {L"Count", false, L"unchanged"},                                      // a number
        {L"Undeclared", false, L"???"},                                       // the host's "no such property"
        {L"TrellanGUID", true, L"{01234567-89AB-CDEF-0123-456789ABCDEF}"},
    };
    for (const Case& c : cases) {
        std::wstring out = L"unchanged";
        EXPECT_EQ(c.result, group->GetValueString(c.property, out)) << c.property;
        EXPECT_EQ(c.out, out) << c.property;
    }
    ScopedVariant back;
    group->GetValue(L"Count", back);
    EXPECT_EQ(VT_I4, back->vt);
    EXPECT_EQ(5, back->lVal);
}

TEST_F(HostClientTest, KeyFramesFollowTheTransitionTheirTransformBelongsTo)
{
    auto node = Node(L"Chart");
    auto out = node->GetTransform(L"Out")->KeyFrames();
    out->Add(0, 1003, 0.0, 2);
    out->Add(50, 1003, 180.0, 0);
    out->Add(50, 1003, 90.0, 0); // same frame and channel: replaced
    EXPECT_EQ(2, out->GetCount());
    auto last = out->KeyFrame(1);
    ASSERT_TRUE(last);
    EXPECT_EQ(50, last->GetFrame());
    EXPECT_EQ(1003, last->GetAttribute());
    EXPECT_DOUBLE_EQ(90.0, last->GetValue());
    EXPECT_EQ(0, out->KeyFrame(0)->GetFrame());
    EXPECT_EQ(2, out->KeyFrame(0)->GetInterpolation());

    EXPECT_EQ(0, node->GetKeyFrames()->GetCount()); // "In" is active
    Scene()->TransitionByName(L"Out")->Activate();
    EXPECT_EQ(2, node->GetKeyFrames()->GetCount());
    out->DeleteTrack(1003);
    EXPECT_EQ(0, out->GetCount());
    EXPECT_EQ(nullptr, node->GetTransform(L"Sideways"));
}

TEST_F(HostClientTest, SelectionCopiesPastesAndDeletes)
{
    auto canvas = app.GetActiveCanvas();
    auto s = canvas->GetScene();
    const long before = s->GetNodeCount();
    s->Select(L"Chart", true, false, false);
    auto selection = canvas->GetSelection();
    selection->Execute(L"Copy");
    selection->Execute(L"Paste");
    EXPECT_EQ(before + 1, s->GetNodeCount());
    auto pasted = s->GetActiveObject();
    ASSERT_TRUE(pasted);
    pasted->SetName(L"Chart.x1");
    s->GetElement(L"Pie")->GetGroup()->AddNode(L"Chart.x1");
    EXPECT_EQ(before, s->GetNodeCount());
    EXPECT_EQ(2, s->GetElement(L"Pie")->GetChildCount());
    EXPECT_EQ(L"Dow", s->GetElement(L"Chart.x1")->Element(-1)->GetText()->GetText());

    s->Select(L"Chart.x1", true, false, false);
    selection->Execute(L"Delete Object(s)");
    EXPECT_EQ(1, s->GetElement(L"Pie")->GetChildCount());
    EXPECT_THROW(s->GetElement(L"Chart.x1"), CHostException);
    EXPECT_THROW(selection->Execute(L"Explode"), CHostException);
}

TEST_F(HostClientTest, TransitionsAndScenesComeAsArraysTheCallerAttaches)
{
    auto s = Scene();
    ScopedVariant transitions;
    s->Transitions(transitions);
    ASSERT_EQ(VT_ARRAY | VT_DISPATCH, transitions->vt);
    LONG high = -1;
    SafeArrayGetUBound(transitions->parray, 1, &high);
    std::vector<std::wstring> names;
    for (LONG i = 0; i <= high; ++i) {
        IDispatch* element = nullptr;
        ASSERT_HRESULT_SUCCEEDED(SafeArrayGetElement(transitions->parray, &i, &element)); // adds a reference
        CHostTransition transition;
        transition.Attach(element);
        names.push_back(transition.GetName());
    }
    EXPECT_EQ((std::vector<std::wstring>{L"In", L"Out"}), names);

    CSimScene& bare = host.AddScene(L"Bare");
    auto focus = app.GetActiveCanvas()->GetScene();
    ScopedVariant none;
    focus->Transitions(none);
    EXPECT_EQ(VT_EMPTY, none->vt);
    EXPECT_EQ(&bare, host.ActiveScene());
}

TEST_F(HostClientTest, ApplicationReachesFrameBuffersAndVersion)
{
    EXPECT_EQ(1, app.GetFrameBuffers());
    EXPECT_EQ(0, app.GetActiveFrameBuffer());
    auto frameBuffer = app.FrameBuffer(0);
    ASSERT_TRUE(frameBuffer);
    EXPECT_EQ(nullptr, app.FrameBuffer(3));
    auto main = frameBuffer->SceneByName(L"Main");
    ASSERT_TRUE(main);
    EXPECT_EQ(nullptr, frameBuffer->SceneByName(L"Other"));
    host.Version().build = 1432;
    EXPECT_EQ(1432, app.Version()->GetBuild());
    auto canvas = app.GetActiveCanvas();
    canvas->SetFrame(42);
    EXPECT_EQ(42, canvas->GetFrame());
    EXPECT_EQ(100, canvas->GetFrameCount());
    canvas->Update();
    EXPECT_EQ(1, host.Canvas().updates);
    EXPECT_EQ(L"", canvas->GetCurrentMessage());
    EXPECT_EQ(100, main->GetAnimationLength());
}

TEST_F(HostClientTest, TheActiveCanvasDecidesTheScene)
{
    CSimScene& other = host.AddScene(L"Other", 1);
    host.AddCanvas(1);
    host.SetActiveCanvas(1);
    EXPECT_EQ(static_cast<IDispatch*>(&other), app.GetActiveCanvas()->GetScene()->GetDispatch());
    EXPECT_EQ(1, app.GetActiveFrameBuffer());
    EXPECT_EQ(2, app.GetFrameBuffers());
    host.SetActiveCanvas(-1);
    EXPECT_EQ(nullptr, app.GetActiveCanvas());
}

TEST_F(HostClientTest, OpenLoadsASceneFileOntoTheCanvas)
{
    wchar_t folder[MAX_PATH], path[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    ASSERT_GT(GetTempFileNameW(folder, L"scn", 0, path), 0u);
    {
        FILE* file = _wfopen(path, L"wb");
        ASSERT_NE(nullptr, file);
        fputs("<Scene name=\"Imported\"><Node name=\"Label\" type=\"24\"/></Scene>", file);
        fclose(file);
    }
    app.Open(path);
    DeleteFileW(path);
    auto imported = app.GetActiveCanvas()->GetScene();
    EXPECT_EQ(2, imported->GetNodeCount());
    EXPECT_EQ(SimNodeText3D, imported->GetElement(L"Label")->GetType());

    try {
        app.Open(path);
        FAIL() << "no exception";
    } catch (const CHostException& e) {
        EXPECT_EQ(std::wstring(L"Cannot open ") + path + L": cannot open the file", e.Description());
    }
}

TEST_F(HostClientTest, LocalApplicationWrapperLeavesTheCallersReference)
{
    IDispatch* application = host.Application();
    const long before = host.ApplicationObject().RefCount();
    {
        CHostApplication local;
        local.Attach(application);
        EXPECT_EQ(before + 1, host.ApplicationObject().RefCount());
        local.GetFrameBuffers();
    }
    EXPECT_EQ(before, host.ApplicationObject().RefCount());
}

TEST_F(HostClientTest, EveryReferenceIsReturnedWhenTheWrappersAreDeleted)
{
    host.SetBackground(scene, L"studio.png");
    {
        auto canvas = app.GetActiveCanvas();
        auto s = canvas->GetScene();
        auto selection = canvas->GetSelection();
        auto frameBuffer = s->GetFrameBuffer();
        auto focus = frameBuffer->SceneWithFocus();
        ScopedVariant scenes;
        frameBuffer->Scenes(scenes);
        auto node = s->Node(1);
        auto element = node->Element(0);
        auto text = element->GetText();
        auto font = text->GetFont();
        auto group = node->Properties(kGroup);
        ScopedVariant value;
        group->GetValue(L"TrellanGUID", value);
        auto keyFrames = node->GetTransform(L"In")->KeyFrames();
        keyFrames->Add(0, 1, 1.0, 0);
        auto keyFrame = keyFrames->KeyFrame(0);
        auto pieGroup = s->GetElement(L"Pie")->GetGroup();
        auto child = s->GetElement(L"Pie")->GetChild(0);
        auto templ = s->GetTemplate(L"Chart.last");
        auto image = s->GetBackground()->GetImage();
        auto transition = s->TransitionByName(L"In");
        auto version = app.Version();
        s->Select(L"Chart", true, false, false);
        auto active = s->GetActiveObject();
        EXPECT_GT(host.OutsideReferences(), 15);
    }
    // TearDown checks that the count is back where it started.
}

} // namespace
