// Each test runs in a process of its own, whatever the order or filter: the
// shared name caches start empty.
#include <gtest/gtest.h>

#include "hostclient/test/FreshProcessTestSupport.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostElement.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostScene.h"
#include "testing/simhost/SimHostTestSupport.h"

namespace {

TEST(SharedCache, FiveClassesResolveTheirNamesOncePerProcess)
{
    if (!RunsInFreshProcess())
        return;
    // Wrappers attached to nothing fail their calls and resolve nothing for later objects.
    {
        CHostApplication app;
        CHostCanvas canvas;
        CHostScene scene;
        CHostNode node;
        CHostElement element;
        app.Attach(nullptr);
        canvas.Attach(nullptr);
        scene.Attach(nullptr);
        node.Attach(nullptr);
        element.Attach(nullptr);
        try {
            scene.GetNodeCount();
            FAIL() << "no exception";
        } catch (const CHostException& e) {
            EXPECT_EQ(E_POINTER, e.HResult());
        }
    }

    struct Expected {
        const wchar_t* className;
        int names;
    } const expected[] = {{L"Application", 38}, {L"Canvas", 14}, {L"Scene", 39}, {L"Node", 24}, {L"Element", 40}};

    for (int round = 0; round < 2; ++round) {
        CSimHost host; // a new host each round: the cache belongs to the process
        CSimNode& chart = host.AddNode(host.AddScene(L"Main"), L"Chart", SimNodeGeoPlugin);
        host.AddElement(chart, L"Title", SimElementText, L"Dow");
        {
            CHostApplication app;
            app.Attach(host.Application());
            auto scene = app.GetActiveCanvas()->GetScene();
            auto node = scene->GetElement(L"Chart");
            auto element = node->Element(0);
            auto again = scene->Node(0);
            EXPECT_EQ(L"Title", element->GetName());
            EXPECT_EQ(L"Global Light", again->GetName());
        }
        for (const Expected& e : expected)
            EXPECT_EQ(round == 0 ? e.names : 0, host.LookupCount(e.className)) << e.className << L" round " << round;
        if (round == 0) {
            EXPECT_EQ(2, host.LookupCount(L"Element", L"Image"));
            EXPECT_EQ(1, host.LookupCount(L"Scene", L"NodeCount"));
        }
        EXPECT_EQ(0, host.OutsideReferences());
    }
}

TEST(SharedCache, NamesMissingAtTheFirstAttachStayMissing)
{
    if (!RunsInFreshProcess())
        return;
    CSimHost first;
    first.AddScene(L"Main");
    first.RemoveMember(L"Scene", L"Transitions");
    first.RemoveMember(L"Scene", L"NodeCount");
    first.RemoveMember(L"Element", L"JustificationX");
    first.RemoveMember(L"Element", L"JustificationY");
    {
        CHostApplication app;
        app.Attach(first.Application());
        app.GetActiveCanvas()->GetScene();
        first.AddTemplate(*first.ActiveScene(), L"T", L"x");
        app.GetActiveCanvas()->GetScene()->GetTemplate(L"T");
    }

    // A later host has every member, but the process keeps what the first answered.
    CSimHost second;
    CSimScene& scene = second.AddScene(L"Main");
    second.AddTransition(scene, L"In");
    second.AddTemplate(scene, L"T", L"x");
    CHostApplication app;
    app.Attach(second.Application());
    auto hostScene = app.GetActiveCanvas()->GetScene();
    ScopedVariant transitions;
    hostScene->Transitions(transitions);
    EXPECT_EQ(VT_EMPTY, transitions->vt);
    auto element = hostScene->GetTemplate(L"T");
    ASSERT_TRUE(element);
    element->SetJustificationX(1);
    element->SetJustificationY(2);
    EXPECT_EQ(0, second.CallCount(L"Scene", L"Transitions"));
    EXPECT_EQ(0, second.CallCount(L"Element", L"JustificationX"));
    EXPECT_EQ(0, second.CallCount(L"Element", L"JustificationY"));
    EXPECT_EQ(0, second.LookupCount(L"Scene"));

    // A member without the absence test is called with the failed id and fails loudly.
    try {
        hostScene->GetNodeCount();
        FAIL() << "no exception";
    } catch (const CHostException& e) {
        EXPECT_FALSE(e.IsHostError());
        EXPECT_EQ(DISP_E_MEMBERNOTFOUND, e.HResult());
    }
}

} // namespace
