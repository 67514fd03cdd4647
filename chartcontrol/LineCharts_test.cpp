// Line charts through the simulated host, from a scripted provider on loopback.
#include "testing/providerpeer/ScriptedProvider.h"  // Winsock before windows.h

#include <gtest/gtest.h>

#include "chartcontrol/test/ChartUpdateTestSupport.h"
#include "chartcontrol/QuillonApp.h"
#include "common/providerwire/ProviderFrame.h"
#include "common/xml/test/XmlNodeTestSupport.h"
#include "testing/uitest/PumpUntil.h"

namespace {

using Action = ProviderScript::Action;

// A line chart whose nine request fields come from its templates, with four
// labels on each axis, its quote fields, two extra fields and two nodes the
// reply shows and hides.
const wchar_t kChartScene[] = LR"(<Scene name="Markets" length="100">
  <Transition name="In"/>
  <Template name="Chart1.symbol" text=" MSFT "/>
  <Template name="Chart1.type" text="close"/>
  <Template name="Chart1.interval" text="daily"/>
  <Template name="Chart1.provider" text="Quotes"/>
  <Template name="Chart1.range1" text="01/15/2010"/>
  <Template name="Chart1.range2" text="01/17/2010"/>
  <Template name="Chart1.maxdates" text="4"/>
  <Template name="Chart1.maxvalues" text="3"/>
  <Template name="Chart1.dateformat" text="%d %b %Q"/>
  <Template name="Chart1.status" text="old status"/>
  <Template name="Chart1.name" text="old name"/>
  <Template name="Chart1.last" text="old last"/>
  <Template name="Chart1.open" text="old open"/>
  <Template name="Chart1.volume" text="old volume"/>
  <Template name="Chart1.percentchange" text="old change"/>
  <Template name="Chart1.headline" text=""/>
  <Node name="Chart1" type="32"><Property group="$GROUP" name="TrellanGUID" value="$GUID1"/></Node>
  <Node name="Chart1.x1" type="24"><Element name="Label" text="-"/></Node>
  <Node name="Chart1.x2" type="24"><Element name="Label" text="-"/></Node>
  <Node name="Chart1.x3" type="24"><Element name="Label" text="-"/></Node>
  <Node name="Chart1.x4" type="24"><Element name="Label" text="-"/></Node>
  <Node name="Chart1.y1" type="24"><Element name="Label" text="-"/></Node>
  <Node name="Chart1.y2" type="24"><Element name="Label" text="-"/></Node>
  <Node name="Chart1.y3" type="24"><Element name="Label" text="-"/></Node>
  <Node name="Chart1.y4" type="24"><Element name="Label" text="-"/></Node>
  <Node name="Chart1.date" type="24"><Element name="Label" text="old date"/></Node>
  <Node name="Chart1.note" type="24"><Element name="Label" text=""/></Node>
  <Node name="Chart1.up" type="40" visible="0"/>
  <Node name="Chart1.down" type="40"/>
  <Node name="Other" type="32"><Property group="$GROUP" name="TrellanGUID" value=""/></Node>
</Scene>)";

std::string Reply(const std::wstring& xml)
{
    return EncodeProviderFrame(xml);
}

const wchar_t kOkReply[] =
    L"<response status=\"OK\">\r\n"
    L"<data count=\"3\" maxtotaldays=\"40193.000000\" mintotaldays=\"40191.000000\" maxvalue=\"20.00\" minvalue=\"10.00\""
    L" maxDates=\"3\">\r\n"
    L"<entry day=\"15\" month=\"1\" totaldays=\"40191.000000\" value=\"10.00\" year=\"2010\">\r\n</entry>\r\n"
    L"<entry day=\"16\" month=\"1\" totaldays=\"40192.000000\" value=\"12.50\" year=\"2010\">\r\n</entry>\r\n"
    L"<entry day=\"17\" month=\"1\" totaldays=\"40193.000000\" value=\"20.00\" year=\"2010\">\r\n</entry>\r\n"
    L"</data>\r\n"
    L"<current change=\"-0.25\" date=\"01/17/2010\" high=\"20\" last=\"1234.5\" low=\"1e1\" name=\"Microsoft\" "
    L"open=\"n/a\" percentchange=\"+1.2%\" symbol=\"MSFT\" volume=\"1234567\">\r\n</current>\r\n"
    L"<extra headline=\"Up today\" note=\"R:255G:128B:000Orange\">\r\n</extra>\r\n"
    L"<scenegraph>\r\n<show><![CDATA[Chart1.up]]></show>\r\n<hide><![CDATA[Chart1.down]]></hide>\r\n"
    L"<hide><![CDATA[Nobody]]></hide>\r\n</scenegraph>\r\n"
    L"</response>\r\n";

// The reply without its own count of date labels.
std::wstring PlainReply()
{
    std::wstring reply = kOkReply;
    reply.erase(reply.find(L" maxDates=\"3\""), 13);
    return reply;
}

class LineChartTest : public ChartUpdateTest {
protected:
    void SetUp() override
    {
        ChartUpdateTest::SetUp();
        QuillonApp().Dates() = {{L"Jan", L"JAN"}, {L"<", L""}};
    }
    void TearDown() override
    {
        QuillonApp().Dates().clear();
        ChartUpdateTest::TearDown();
    }
};

TEST_F(LineChartTest, ARefreshAsksTheProviderAndFillsTheChartFromItsReply)
{
    CScriptedProvider provider({Action::Answer, {Reply(kOkReply)}});
    ASSERT_NE(0, provider.Port());
    WriteProviders(Provider(L"Quotes", provider.Port(), 2000));
    CSimScene& scene = LoadScene(kChartScene);

    EXPECT_EQ(S_OK, UpdateChart(L"refresh"));

    // The request: the template fields, trimmed, and the chart's node name.
    EXPECT_EQ(Reply(L"<command cmd=\"historical\">\r\n"
                    L"<params interval=\"daily\" nodename=\"Chart1\" range1=\"01/15/2010\" range2=\"01/17/2010\" "
                    L"sub=\"GetHistorical\" symbol=\"MSFT\" type=\"close\">\r\n</params>\r\n</command>\r\n"),
              provider.LastRequest());
    // The provider counts a connection once the client has closed it.
    EXPECT_TRUE(PumpUntil([&] { return provider.ConnectionsServed() == 1; }))
        << provider.ConnectionsServed() << " requests: the chart with an empty GUID is no line chart";

    EXPECT_EQ((std::vector<std::wstring>{
                  L"SetPoints($GUID1, 3 points)", L"LabelCount($GUID1, 3, 3)",
                  L"RegisterLabel($GUID1, 0, Chart1.x1, 0)", L"RegisterLabel($GUID1, 0, Chart1.x2, 1)",
                  L"RegisterLabel($GUID1, 0, Chart1.x3, 2)", L"RegisterLabel($GUID1, 1, Chart1.y1, 0)",
                  L"RegisterLabel($GUID1, 1, Chart1.y2, 1)", L"RegisterLabel($GUID1, 1, Chart1.y3, 2)",
                  L"EnableLocateLabels($GUID1, 1)", L"SetTrellanRedraw($GUID1, 1)"}),
              TrellanCallsNamed());
    const std::vector<TrellanPointValue> points = TrellanPoints(Guid(1).c_str());
    ASSERT_EQ(3u, points.size());
    EXPECT_EQ(40192.0, points[1].totalDays);
    EXPECT_EQ(12.5, points[1].value);

    EXPECT_EQ(L" ", Text(scene, L"Chart1.status"));
    // Dates through the date map, the unknown code printed as it stands; the
    // reply's maxDates overrides the template's 4, and the fourth label goes.
    EXPECT_EQ(L"15 JAN %Q", Text(scene, L"Chart1.x1"));
    EXPECT_EQ(L"16 JAN %Q", Text(scene, L"Chart1.x2"));
    EXPECT_EQ(L"17 JAN %Q", Text(scene, L"Chart1.x3"));
    EXPECT_FALSE(Visible(scene, L"Chart1.x4"));
    EXPECT_EQ(L"10.00", Text(scene, L"Chart1.y1"));
    EXPECT_EQ(L"15.00", Text(scene, L"Chart1.y2"));
    EXPECT_EQ(L"20.00", Text(scene, L"Chart1.y3"));
    EXPECT_TRUE(Visible(scene, L"Chart1.y3"));
    EXPECT_FALSE(Visible(scene, L"Chart1.y4"));

    // Quote fields: texts as they come, numbers in the locale's form, a
    // field that is no number left as it was.
    const std::map<std::wstring, std::wstring> quote = {
        {L"name", L"Microsoft"}, {L"last", L"1,234.50"}, {L"date", L"01/17/2010"}, {L"open", L"old open"},
        {L"volume", L"1,234,567"}, {L"percentchange", L"+1.2%"}, {L"headline", L"Up today"}, {L"note", L"Orange"}};
    for (const auto& field : quote)
        EXPECT_EQ(field.second, Text(scene, L"Chart1." + field.first)) << field.first;
    EXPECT_EQ(255 + 128 * 256, scene.Find(L"Chart1.note")->elements.front()->text->font->color);
    EXPECT_TRUE(Visible(scene, L"Chart1.up"));
    EXPECT_FALSE(Visible(scene, L"Chart1.down"));
}

struct FailedRequest {
    const char* what;
    ProviderScript script;
    const wchar_t* provider;  // the chart's provider name
    const wchar_t* status;
    bool quoteBlanked;
};

void PrintTo(const FailedRequest& request, std::ostream* out)
{
    *out << request.what;
}

class FailedRequestTest : public LineChartTest, public ::testing::WithParamInterface<FailedRequest> {};

TEST_P(FailedRequestTest, EndsInAStatusAndBlanksTheQuoteUnlessTheProviderIsUnknownAndTheNextRefreshAsksAgain)
{
    const FailedRequest& c = GetParam();
    const long nodes = g_xmlNodeCount;
    CScriptedProvider provider(c.script);
    ASSERT_NE(0, provider.Port());
    WriteProviders(Provider(L"Quotes", provider.Port(), 300) +
                   Provider(L"Closed", CScriptedProvider::RefusingPort(), 300));
    std::wstring xml = kChartScene;
    xml.replace(xml.find(L"\"Quotes\""), 8, std::wstring(L"\"") + c.provider + L"\"");
    CSimScene& scene = LoadScene(xml);

    EXPECT_EQ(S_OK, UpdateChart(L"Refresh"));
    EXPECT_EQ(c.status, Text(scene, L"Chart1.status"));
    EXPECT_TRUE(TrellanCalls().empty());
    EXPECT_EQ(c.quoteBlanked ? L" " : L"old last", Text(scene, L"Chart1.last"));
    EXPECT_EQ(c.quoteBlanked ? L" " : L"old date", Text(scene, L"Chart1.date"));
    EXPECT_EQ(!c.quoteBlanked, Visible(scene, L"Chart1.x1"));
    EXPECT_EQ(!c.quoteBlanked, Visible(scene, L"Chart1.y1"));
    EXPECT_TRUE(Visible(scene, L"Chart1.down")) << "no reply shows or hides anything";
    EXPECT_EQ(L" MSFT ", Text(scene, L"Chart1.symbol")) << "the symbol the next refresh asks for";

    // The provider answers again: the next refresh from the templates asks
    // it for the same symbol and fills the chart.
    CScriptedProvider answering({Action::Answer, {Reply(kOkReply)}});
    ASSERT_NE(0, answering.Port());
    WriteProviders(Provider(c.provider, answering.Port(), 2000));
    EXPECT_EQ(S_OK, UpdateChart(L"refresh"));
    std::wstring request;
    const std::string frame = answering.LastRequest();
    ASSERT_LE(2u, frame.size());
    ASSERT_TRUE(DecodeProviderPayload(frame.data() + 1, frame.size() - 2, request));
    EXPECT_NE(std::wstring::npos, request.find(L" symbol=\"MSFT\"")) << request.c_str();
    EXPECT_EQ(L" ", Text(scene, L"Chart1.status"));
    ASSERT_FALSE(TrellanCalls().empty());
    EXPECT_EQ(L"SetPoints($GUID1, 3 points)", TrellanCallsNamed().front());
    EXPECT_EQ(L"1,234.50", Text(scene, L"Chart1.last"));
    EXPECT_EQ(L"MSFT", Text(scene, L"Chart1.symbol"));
    EXPECT_EQ(nodes, g_xmlNodeCount);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, FailedRequestTest,
    ::testing::Values(
        FailedRequest{"an unknown provider", {Action::Answer, {Reply(kOkReply)}}, L"quotes", L"Invalid Provider", false},
        FailedRequest{"a silent provider", {Action::Silent, {}}, L"Quotes", L"Provider Timeout", true},
        FailedRequest{"a refused connection", {Action::Answer, {}}, L"Closed", L"Provider Timeout", true},
        FailedRequest{"a provider that closes", {Action::CloseAtOnce, {}}, L"Quotes", L"Provider Timeout", true},
        FailedRequest{"a failed status",
                      {Action::Answer, {Reply(L"<response status=\"No data\">\r\n</response>\r\n")}},
                      L"Quotes", L"No data", true},
        FailedRequest{"a reply without status", {Action::Answer, {Reply(L"<response>\r\n</response>\r\n")}}, L"Quotes",
                      L"", true},
        FailedRequest{"a reply without response", {Action::Answer, {Reply(L"<other status=\"ok\">\r\n</other>\r\n")}},
                      L"Quotes", L"old status", true},
        FailedRequest{"a reply nested too deep",
                      {Action::Answer, {Reply(L"<response status=\"ok\">" + NestedElements(40000) + L"</response>")}},
                      L"Quotes", L"Provider Timeout", true}),
    [](const ::testing::TestParamInfo<FailedRequest>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c)
            if (isalnum(static_cast<unsigned char>(*c)))
                name += *c;
        return name;
    });

TEST_F(LineChartTest, ParametersReplaceEveryTemplateOrSilenceTheLineCharts)
{
    CScriptedProvider provider({Action::Answer, {Reply(PlainReply())}});
    WriteProviders(Provider(L"Quotes", provider.Port(), 2000));
    CSimScene& scene = LoadScene(kChartScene);
    const std::wstring nine = L"symbol=IBM&type=open&interval=weekly&provider=Quotes&range1=a&range2=b"
                              L"&maxdates=2&maxvalues=0&dateformat=%Y";

    struct Case {
        std::wstring text;
        int requests;  // after the case
        const wchar_t* lastRequestHas;
    };
    const Case cases[] = {
        {L"chart=Chart1", 0, nullptr},            // no field in the map: templates are not read
        {L"barname=Bar1&bar1percent=5", 0, nullptr},
        {L"Chart=Chart1&" + nine, 1, L"symbol=\"IBM\""},
        {L"chart=Nobody&" + nine, 1, nullptr},    // a name no node carries
        {nine + L"&symbol=HPQ", 2, L"symbol=\"IBM\" type=\"open\""},  // the first of a key wins
    };
    for (const Case& c : cases) {
        EXPECT_EQ(S_OK, UpdateChart(c.text)) << c.text.c_str();
        EXPECT_TRUE(PumpUntil([&] { return provider.ConnectionsServed() == c.requests; }))
            << provider.ConnectionsServed() << " requests after " << c.text.c_str();
        if (c.lastRequestHas) {
            std::wstring request;
            const std::string frame = provider.LastRequest();
            ASSERT_TRUE(DecodeProviderPayload(frame.data() + 1, frame.size() - 2, request));
            EXPECT_NE(std::wstring::npos, request.find(c.lastRequestHas)) << request.c_str();
        }
    }
    // Counts from parameters: two date labels, no value label (all four hidden).
    EXPECT_EQ(L"2010", Text(scene, L"Chart1.x2"));
    EXPECT_FALSE(Visible(scene, L"Chart1.x3"));
    EXPECT_FALSE(Visible(scene, L"Chart1.y1"));
}

TEST_F(LineChartTest, AnEmptyTemplateLeavesTheChartUntouchedAndSaysWhy)
{
    CScriptedProvider provider({Action::Answer, {Reply(kOkReply)}});
    WriteProviders(Provider(L"Quotes", provider.Port(), 2000));
    std::wstring xml = kChartScene;
    xml.replace(xml.find(L"text=\"Quotes\""), 13, L"text=\"  \"");
    CSimScene& scene = LoadScene(xml);
    log.TakeLines();

    EXPECT_EQ(S_OK, UpdateChart(L"refresh"));
    EXPECT_TRUE(provider.LastRequest().empty());
    EXPECT_EQ(L"old status", Text(scene, L"Chart1.status"));
    EXPECT_EQ(L"old last", Text(scene, L"Chart1.last"));
    std::vector<std::wstring> messages;
    for (const std::wstring& line : log.TakeLines())
        messages.push_back(LogMessageOf(line));
    EXPECT_EQ((std::vector<std::wstring>{L"UpdateCharts ", L"Template Chart1.provider is empty"}), messages);
}

} // namespace
