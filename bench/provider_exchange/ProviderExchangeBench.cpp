// Requests per second and median round trip of one provider exchange
// against the scripted loopback provider, beside the plain Winsock floor
// for the same request and reply bytes.
#include <winsock2.h>  // before any windows.h

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/loopback/LoopbackFloor.h"
#include "bench/loopback/RoundTripFigures.h"
#include "chartcontrol/ProviderExchange.h"
#include "base/com/ScopedComApartment.h"
#include "common/providerwire/ProviderFrame.h"
#include "testing/providerpeer/ScriptedProvider.h"

namespace {

constexpr int kDefaultRounds = 200;
// A year of trading days.
constexpr int kEntries = 250;

std::wstring HistoricalRequestText()
{
    CXmlNodePtr command = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"command"));
    command->SetAttribute(L"cmd", L"historical");
    CXmlNode* params = new CXmlNode(command.Get(), L"params");
    params->SetAttribute(L"symbol", L"MSFT");
    params->SetAttribute(L"type", L"close");
    params->SetAttribute(L"interval", L"daily");
    params->SetAttribute(L"range1", L"01/01/2009");
    params->SetAttribute(L"range2", L"12/31/2009");
    params->SetAttribute(L"sub", L"GetHistorical");
    params->SetAttribute(L"nodename", L"Chart1");
    std::wstring text;
    command->WriteToString(text);
    return text;
}

std::wstring DailyReplyText()
{
    CXmlNodePtr response = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"response"));
    response->SetAttribute(L"status", L"ok");
    CXmlNode* data = new CXmlNode(response.Get(), L"data");
    data->SetAttributeInt(L"count", kEntries);
    for (int i = 0; i < kEntries; ++i) {
        CXmlNode* entry = new CXmlNode(data, L"entry");
        entry->SetAttributeInt(L"month", 1 + i / 21);
        entry->SetAttributeInt(L"day", 1 + i % 21);
        entry->SetAttribute(L"year", L"2009");
        entry->SetAttributeDouble(L"value", 19.5 + i * 0.01, L"%.2f");
        entry->SetAttributeDouble(L"totaldays", 39812.0 + i, L"%lf");
    }
    std::wstring text;
    response->WriteToString(text);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : kDefaultRounds;
    const ScopedComApartment com;
    if (!com) {
        fprintf(stderr, "COM did not start\n");
        return 1;
    }
    int result = 0;
    const std::wstring request = HistoricalRequestText();
    const std::string replyFrame = EncodeProviderFrame(DailyReplyText());
    CScriptedProvider provider({ProviderScript::Action::Answer, {replyFrame}});
    CLoopbackFloor floor(EncodeProviderFrame(request), replyFrame);
    if (provider.Port() == 0 || !floor.IsListening()) {
        fprintf(stderr, "cannot listen on loopback\n");
        result = 1;
    } else {
        printf("request %zu bytes, reply %zu bytes (%d entries), %d rounds\n", request.size() * 4 + 2,
               replyFrame.size(), kEntries, rounds);
        const RoundTripFigures exchange = MeasureRoundTrips(rounds, [&] {
            return static_cast<bool>(ExchangeWithProvider(request, "127.0.0.1", provider.Port(), 2000));
        });
        const RoundTripFigures plain = MeasureRoundTrips(rounds, [&] { return floor.RoundTrip(); });
        // The share of the exchange that is decoding and parsing the reply.
        const std::string payload = replyFrame.substr(1, replyFrame.size() - 2);
        const RoundTripFigures parse = MeasureRoundTrips(rounds, [&] {
            return static_cast<bool>(ParseProviderPayload(payload.data(), payload.size()));
        });
        PrintFigures("ExchangeWithProvider", exchange);
        PrintFigures("plain Winsock floor", plain);
        PrintRatio("exchange against floor", exchange, plain);
        PrintFigures("of which ParseProviderPayload", parse);
    }
    return result;
}
