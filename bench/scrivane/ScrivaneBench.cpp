// Requests per second and median latency of whole request-reply cycles
// against the running Scrivane program (a fresh script engine per request,
// a trivial script), beside the plain loopback floor for the same bytes,
// the two timed in alternating rounds.
#include <winsock2.h>  // before any windows.h

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/InterleavedRounds.h"
#include "bench/loopback/LoopbackFloor.h"
#include "chartcontrol/ProviderExchange.h"
#include "base/com/ScopedComApartment.h"
#include "common/providerwire/ProviderFrame.h"
#include "platform/net/WinsockRuntime.h"
#include "provider/app/test/ScrivaneProcess.h"

namespace {

constexpr int kDefaultRounds = 100;

const wchar_t kTrivialScript[] =
    L"Sub GetHistorical(symbol, kind, interval, range1, range2, nodename)\r\n"
    L"  SetStatus \"ok\"\r\n"
    L"  AddDataEntry 1, 2, 2009, 0, 0, 0, 19.5\r\n"
    L"End Sub\r\n";

std::wstring RequestText()
{
    CXmlNodePtr command = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"command"));
    command->SetAttribute(L"cmd", L"historical");
    CXmlNode* params = new CXmlNode(command.Get(), L"params");
    for (const wchar_t* name : {L"symbol", L"type", L"interval", L"range1", L"range2", L"nodename"})
        params->SetAttribute(name, L"x");
    std::wstring text;
    command->WriteToString(text);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : kDefaultRounds;
    const ScopedComApartment com;
    if (!com || !EnsureWinsockStarted())
        return 1;
    int result = 0;
    ScrivaneProcess program(kTrivialScript);
    const unsigned short port = program.Started() ? program.WaitForServerPort() : 0;
    const std::wstring request = RequestText();
    CXmlNodePtr first;
    for (int attempt = 0; port && attempt < 100; ++attempt, Sleep(100)) {
        first = ExchangeWithProvider(request, "127.0.0.1", port, 5000);
        std::wstring status;
        CXmlNodePtr response = CXmlNodePtr::Adopt(first ? first->FindChild(L"response", 0) : nullptr);
        if (response && response->GetAttributeString(L"status", status) && status == L"ok")
            break;
    }
    if (!first) {
        fprintf(stderr, "Scrivane did not answer\n");
        result = 1;
    } else {
        std::wstring replyText;
        first->WriteToString(replyText);
        CLoopbackFloor floor(EncodeProviderFrame(request), EncodeProviderFrame(replyText));
        printf("%d rounds against Scrivane on port %u\n", rounds, port);
        const InterleavedFigures figures = MeasureInterleaved(
            rounds, 1, [&] { return static_cast<bool>(ExchangeWithProvider(request, "127.0.0.1", port, 5000)); },
            [&] { return floor.RoundTrip(); });
        PrintInterleaved("Scrivane request-reply", figures);
    }
    return result;
}
