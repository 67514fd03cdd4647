#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/providerwire/ProviderFrame.h"
#include "common/xml/test/XmlNodeTestSupport.h"
#include "provider/server/RequestDispatch.h"

namespace {

using RequestDispatchTest = XmlNodeLeakCheck;

// The payload of a request text: four upper-case hex digits per unit.
std::string Payload(const std::wstring& xml)
{
    const std::string frame = EncodeProviderFrame(xml);
    return frame.substr(1, frame.size() - 2);
}

const wchar_t kAllParams[] =
    L"symbol=\"MSFT\" type=\"close\" interval=\"daily\" range1=\"01/01/2009\" range2=\"12/31/2009\" nodename=\"Chart1\"";

std::wstring Request(const std::wstring& cmd, const std::wstring& params)
{
    return L"<command cmd=\"" + cmd + L"\"><params " + params + L"/></command>";
}

TEST_F(RequestDispatchTest, OnlyCompleteHistoricalRequestsRunARoutine)
{
    struct Case {
        const char* what;
        std::wstring xml;
        const wchar_t* routine;   // null: nothing runs
    };
    const std::wstring all = kAllParams;
    const Case cases[] = {
        {"default routine", Request(L"historical", all), L"GetHistorical"},
        {"cmd in any case", Request(L"HISTORICAL", all), L"GetHistorical"},
        {"named routine", Request(L"historical", all + L" sub=\"GetIntraday\""), L"GetIntraday"},
        {"other command", Request(L"quote", all), nullptr},
        {"no cmd", L"<command><params " + all + L"/></command>", nullptr},
        {"no params", L"<command cmd=\"historical\"/>", nullptr},
        {"no nodename", Request(L"historical", L"symbol=\"a\" type=\"b\" interval=\"c\" range1=\"d\" range2=\"e\""), nullptr},
        {"sub not an identifier", Request(L"historical", all + L" sub=\"Get(1):MsgBox\""), nullptr},
        {"sub empty", Request(L"historical", all + L" sub=\"\""), nullptr},
        {"other document element", L"<query cmd=\"historical\"/>", nullptr},
        {"broken XML", L"<command cmd=\"historical\"><params " + all + L"/>", nullptr},
    };
    for (const Case& c : cases) {
        std::vector<HistoricalRequest> runs;
        const std::wstring reply = AnswerRequest(Payload(c.xml), [&](const HistoricalRequest& r, CXmlNode*) {
            runs.push_back(r);
            return RunResult::Completed;
        });
        EXPECT_EQ(L"<response>\r\n</response>\r\n", reply) << c.what;
        if (!c.routine) {
            EXPECT_TRUE(runs.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(1u, runs.size()) << c.what;
        EXPECT_EQ(c.routine, runs[0].routine) << c.what;
        EXPECT_EQ(L"MSFT", runs[0].symbol);
        EXPECT_EQ(L"Chart1", runs[0].nodename);
    }
}

TEST_F(RequestDispatchTest, PayloadsThatAreNotUpperCaseHexAreNoRequest)
{
    const std::string good = Payload(Request(L"historical", kAllParams));
    std::string lower = good;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    const std::string cases[] = {lower, good.substr(0, good.size() - 1), good + "0", "ZZZZ", ""};
    for (const std::string& payload : cases) {
        bool ran = false;
        EXPECT_EQ(L"<response>\r\n</response>\r\n",
                  AnswerRequest(payload, [&](const HistoricalRequest&, CXmlNode*) {
                      ran = true;
                      return RunResult::Completed;
                  }));
        EXPECT_FALSE(ran) << payload.size();
    }
}

TEST_F(RequestDispatchTest, WhatTheRoutineAddsIsTheReply)
{
    const std::wstring reply = AnswerRequest(Payload(Request(L"historical", kAllParams)),
                                             [](const HistoricalRequest&, CXmlNode* root) {
                                                 (new CXmlNode(root, L"Response"))->SetAttribute(L"status", L"ok");
                                                 return RunResult::Completed;
                                             });
    EXPECT_EQ(L"<response>\r\n<Response status=\"ok\">\r\n</Response>\r\n</response>\r\n", reply);
}

TEST_F(RequestDispatchTest, AFailedRoutineNeverAnswersOkAndATimedOutOneGetsTheBareReply)
{
    struct Case {
        RunResult result;
        const wchar_t* status;   // what the routine set; null: none
        std::wstring reply;
    };
    const std::wstring data = L"<data count=\"1\">\r\n</data>\r\n";
    const Case cases[] = {
        {RunResult::Completed, L"ok", L"<response status=\"ok\">\r\n" + data + L"</response>\r\n"},
        {RunResult::Failed, L"ok", L"<response status=\"Script error\">\r\n" + data + L"</response>\r\n"},
        {RunResult::Failed, L"OK", L"<response status=\"Script error\">\r\n" + data + L"</response>\r\n"},
        {RunResult::Failed, L"No data", L"<response status=\"No data\">\r\n" + data + L"</response>\r\n"},
        {RunResult::Failed, nullptr, L"<response>\r\n" + data + L"</response>\r\n"},
        {RunResult::TimedOut, L"ok", L"<response>\r\n</response>\r\n"},
    };
    for (const Case& c : cases) {
        const std::wstring reply = AnswerRequest(Payload(Request(L"historical", kAllParams)),
                                                 [&](const HistoricalRequest&, CXmlNode* root) {
                                                     if (c.status)
                                                         root->SetAttribute(L"status", c.status);
                                                     (new CXmlNode(root, L"data"))->SetAttributeInt(L"count", 1);
                                                     return c.result;
                                                 });
        EXPECT_EQ(c.reply, reply) << static_cast<int>(c.result) << " " << (c.status ? c.status : L"-");
    }
}

TEST(RoutineCallTest, ValuesBecomeStringLiterals)
{
    HistoricalRequest request{L"GetHistorical", L"MSFT", L"close", L"daily", L"01/01/2009", L"12/31/2009", L"Chart1"};
    EXPECT_EQ(L"GetHistorical(\"MSFT\", \"close\", \"daily\", \"01/01/2009\", \"12/31/2009\", \"Chart1\")",
              BuildRoutineCall(request));

    struct Case { const wchar_t* value; const wchar_t* literal; };
    const Case cases[] = {
        {L"", L"\"\""},
        {L"a\"b", L"\"a\"\"b\""},
        {L"\"): MsgBox(\"x", L"\"\"\"): MsgBox(\"\"x\""},
        {L"a\r\nb", L"\"a\" & Chr(13) & \"\" & Chr(10) & \"b\""},
        {L"x:y ' rem", L"\"x:y ' rem\""},
        {L"\u00e9", L"\"\u00e9\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.literal, VbsStringLiteral(c.value)) << c.value;
}

TEST(RoutineCallTest, RoutineNamesMustBeIdentifiers)
{
    struct Case { const wchar_t* name; bool ok; };
    const Case cases[] = {
        {L"GetHistorical", true}, {L"g_1", true}, {L"", false}, {L"1abc", false}, {L"_x", false},
        {L"a b", false}, {L"a:b", false}, {L"a(", false}, {L"\u00e9t\u00e9", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.ok, IsScriptIdentifier(c.name)) << c.name;
}

}  // namespace
