// The motion plug-in's own host wrappers against the simulated host: each
// attach looks its names up, the road to a movie element, and the property
// collection the host hands to the plug-in's editor.
#include <gtest/gtest.h>

#include <string>

#include "motion/plugin/host/HostApplication.h"
#include "motion/plugin/host/HostCanvas.h"
#include "motion/plugin/host/HostElement.h"
#include "motion/plugin/host/HostNode.h"
#include "motion/plugin/host/HostProperties.h"
#include "motion/plugin/host/HostScene.h"
#include "testing/simhost/SimHostTestSupport.h"

namespace drovel {
namespace {

const wchar_t kGroup[] = L"Velmora.Drovel.LEIFlet.1::Drovel";

class MotionHostTest : public SimHostFixture {
protected:
    MotionHostTest() : movie(host.AddNode(scene, L"Promo", SimNodeMovie))
    {
        host.AddElement(movie, L"Clip", SimElementMovie, L"C:\\clips\\promo.avi");
        host.DeclareProperty({kGroup, L"Enabled", 0, L"0", {L"LyricMovie"}, L""});
        host.DeclareProperty({kGroup, L"Script", 0, L"", {L"LyricMovie"}, L""});
    }
    void SetUp() override
    {
        SimHostFixture::SetUp();
        host.ClearLog();
    }

    // The collection as the host hands it to an editor: the wrapper owns the reference.
    IDispatch* HandedCollection()
    {
        IDispatch* collection = &movie.PropertyCollection(kGroup);
        collection->AddRef();
        return collection;
    }

    CSimNode& movie;
};

TEST_F(MotionHostTest, EveryAttachLooksUpEveryNameOfItsClass)
{
    struct Count {
        const wchar_t* className;
        int lookups;
        const wchar_t* notLookedUp;  // the first name its list leaves out
    };
    const Count counts[] = {
        {L"Application", 37, L"IICommand"},
        {L"Canvas", 12, L"FrameCount"},
        {L"Scene", 34, L"TransitionByName"},
        {L"Node", 18, L"ChildCount"},
        {L"Element", 38, L"JustificationX"},
        {L"PropertyGroup", 1, nullptr},
        {L"Properties", 4, nullptr},
        {L"Property", 5, nullptr},
    };
    for (int round = 1; round <= 2; ++round) {
        CHostApplication app;
        app.Attach(host.Application());
        auto canvas = app.GetActiveCanvas();
        ASSERT_TRUE(canvas);
        auto sceneWrapper = canvas->GetScene();
        ASSERT_TRUE(sceneWrapper);
        auto node = sceneWrapper->Node(1);
        ASSERT_TRUE(node);
        ASSERT_TRUE(node->Element(0));
        ASSERT_TRUE(node->Properties(kGroup));
        CHostProperties properties;
        properties.Attach(HandedCollection());
        ASSERT_TRUE(properties.ByName(L"Enabled"));
        for (const Count& c : counts) {
            EXPECT_EQ(round * c.lookups, host.LookupCount(c.className)) << c.className << ", round " << round;
            if (c.notLookedUp) {
                EXPECT_EQ(0, host.LookupCount(c.className, c.notLookedUp)) << c.className;
            }
        }
        EXPECT_EQ(2 * round, host.LookupCount(L"Element", L"Image")) << "the getter's cell and the setter's";
    }
}

TEST_F(MotionHostTest, TheRoadReachesTheMovieElementsFile)
{
    CHostApplication app;
    app.Attach(host.Application());
    auto sceneWrapper = app.GetActiveCanvas()->GetScene();
    ASSERT_EQ(2, sceneWrapper->GetNodeCount()) << "Global Light and the movie";
    auto node = sceneWrapper->Node(1);
    EXPECT_EQ(SimNodeMovie, node->GetType());
    auto element = node->Element(0);
    ASSERT_TRUE(element);
    EXPECT_EQ(L"C:\\clips\\promo.avi", element->GetFilename());
    element->SetFilename(L"C:\\clips\\promo_Drovel.avi");
    EXPECT_EQ(L"C:\\clips\\promo_Drovel.avi", movie.elements.front()->filename);

    std::wstring value = L"unchanged";
    auto group = node->Properties(kGroup);
    ASSERT_TRUE(group);
    EXPECT_TRUE(group->GetValueString(L"Enabled", value));
    EXPECT_EQ(L"0", value);
    EXPECT_FALSE(group->GetValueString(L"ID", value)) << "not declared: the host answers \"???\"";
}

TEST_F(MotionHostTest, TheApplicationWrapperHoldsAReferenceOfItsOwn)
{
    const long before = host.OutsideReferences();
    {
        CHostApplication app;
        app.Attach(host.Application());
        EXPECT_EQ(before + 1, host.OutsideReferences());
        app.Attach(host.Application());  // a second attach lets the first reference go
        EXPECT_EQ(before + 1, host.OutsideReferences());
    }
    EXPECT_EQ(before, host.OutsideReferences());
}

TEST_F(MotionHostTest, PropertyCollectionReadsAndWritesStrings)
{
    CHostProperties properties;
    properties.Attach(HandedCollection());
    EXPECT_EQ(L"0", properties.GetPropertyString(L"Enabled"));
    properties.SetPropertyString(L"Script", L"x = 1");
    EXPECT_EQ(L"x = 1", properties.GetPropertyString(L"Script"));
    EXPECT_EQ(L"x = 1", DescribeValue(host.PropertyValue(movie, kGroup, L"Script").Get()));

    const int valueCalls = host.CallCount(L"Property", L"Value");
    EXPECT_EQ(nullptr, properties.ByName(L"Variable"));
    EXPECT_EQ(L"", properties.GetPropertyString(L"Variable"));
    properties.SetPropertyString(L"Variable", L"frame");
    EXPECT_EQ(valueCalls, host.CallCount(L"Property", L"Value")) << "no Value call without a property";
    EXPECT_EQ(L"???", DescribeValue(host.PropertyValue(movie, kGroup, L"Variable").Get()));

    auto owner = properties.GetOwnerElement();
    ASSERT_TRUE(owner);
    EXPECT_EQ(L"C:\\clips\\promo.avi", owner->GetFilename());
}

TEST_F(MotionHostTest, HostErrorsReachTheCallerAsHostExceptions)
{
    host.InjectError(L"Property", L"Value", L"locked", E_ACCESSDENIED);
    CHostProperties properties;
    properties.Attach(HandedCollection());
    try {
        properties.GetPropertyString(L"Enabled");
        ADD_FAILURE() << "no exception";
    } catch (const CHostException& e) {
        EXPECT_EQ(E_ACCESSDENIED, e.HResult());
        EXPECT_EQ(L"locked", e.Description());
    }
}

} // namespace
} // namespace drovel
