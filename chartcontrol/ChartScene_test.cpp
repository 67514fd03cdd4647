// A chart's templates and labels in the scene.
#include <gtest/gtest.h>

#include <memory>

#include "chartcontrol/ChartScene.h"
#include "hostclient/HostScene.h"
#include "testing/simhost/SimHostTestSupport.h"

namespace {

class ChartSceneTest : public SimHostFixture {
protected:
    std::unique_ptr<CHostScene> HostScene()
    {
        IDispatch* dispatch = &scene;
        dispatch->AddRef();
        auto wrapper = std::make_unique<CHostScene>();
        wrapper->Attach(dispatch);
        return wrapper;
    }
};

TEST_F(ChartSceneTest, AColourPrefixOfNineDigitsUpTo255SetsTheFontAndIsNotShown)
{
    CSimElement& field = host.AddTemplate(scene, L"Chart1.change", L"");
    std::unique_ptr<CHostScene> s = HostScene();
    struct Case {
        const wchar_t* text;
        const wchar_t* shown;
        long colour;  // -1: the font is left as it was
    };
    const Case cases[] = {
        {L"R:255G:000B:000Up 5%", L"Up 5%", 255},
        {L"R:255G:000B:000", L"", 255},
        {L"R:001G:002B:003x", L"x", 1 + 2 * 256 + 3 * 65536},
        {L"R:999G:000B:000x", L"R:999G:000B:000x", -1},  // no channel above 255
        {L"R:25xG:000B:000x", L"R:25xG:000B:000x", -1},  // digits only
        {L"R:255G:000B:00", L"R:255G:000B:00", -1},       // too short
        {L"r:255G:000B:000x", L"r:255G:000B:000x", -1},
    };
    for (const Case& c : cases) {
        field.text->font->color = 0x123456;
        SetTemplateText(*s, L"Chart1", L"change", c.text);
        EXPECT_EQ(c.shown, field.text->text) << c.text;
        EXPECT_EQ(c.colour < 0 ? 0x123456 : c.colour, field.text->font->color) << c.text;
    }
}

TEST_F(ChartSceneTest, TemplatesAreTheScenesOwnOrTheFirstElementOfANode)
{
    host.AddTemplate(scene, L"Chart1.symbol", L"  MSFT \t");
    host.AddElement(host.AddNode(scene, L"Chart1.type", SimNodeText3D), L"Label", SimElementText, L"close");
    host.AddTemplate(scene, L"Chart1.interval", L" ");
    host.AddNode(scene, L"Chart1.range1", SimNodeObject);  // no element
    std::unique_ptr<CHostScene> s = HostScene();
    struct Case {
        const wchar_t* field;
        bool read;
        const wchar_t* text;
    };
    const Case cases[] = {{L"symbol", true, L"MSFT"}, {L"type", true, L"close"}, {L"interval", false, L"-"},
                          {L"range1", false, L"-"}, {L"range2", false, L"-"}};
    for (const Case& c : cases) {
        std::wstring text = L"-";
        EXPECT_EQ(c.read, ReadTemplateText(*s, text, L"%s.%s", L"Chart1", c.field)) << c.field;
        EXPECT_EQ(c.text, text) << c.field;
    }

    // The status goes only into a template of the scene.
    host.AddElement(host.AddNode(scene, L"Chart1.status", SimNodeText3D), L"Label", SimElementText, L"node");
    SetTemplateStatus(*s, L"Chart1", L"Provider Timeout");
    EXPECT_EQ(L"node", scene.Find(L"Chart1.status")->elements.front()->text->text);
}

TEST_F(ChartSceneTest, AFailedRequestHidesLabelPairsUntilEitherAxisRunsOut)
{
    for (const wchar_t* label : {L"Chart1.x1", L"Chart1.y1", L"Chart1.x2", L"Chart1.x3", L"Chart1.y3"})
        host.AddNode(scene, label, SimNodeText3D);
    CSimElement& last = host.AddTemplate(scene, L"Chart1.last", L"101.5");
    CSimElement& symbol = host.AddTemplate(scene, L"Chart1.symbol", L"MSFT");
    std::unique_ptr<CHostScene> s = HostScene();
    ClearQuoteTemplates(*s, L"Chart1");
    // Pass 2 finds no y2: x2 is still hidden, pass 3 never comes.
    for (const wchar_t* hidden : {L"Chart1.x1", L"Chart1.y1", L"Chart1.x2"})
        EXPECT_FALSE(scene.Find(hidden)->visible) << hidden;
    for (const wchar_t* shown : {L"Chart1.x3", L"Chart1.y3"})
        EXPECT_TRUE(scene.Find(shown)->visible) << shown;
    EXPECT_EQ(L" ", last.text->text);
    EXPECT_EQ(L"MSFT", symbol.text->text) << "the symbol is also what the next request asks for";
}

} // namespace
