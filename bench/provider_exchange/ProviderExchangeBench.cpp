// One provider exchange beside its floor: the plain Winsock round trip of
// the same bytes to the same loopback server, plus Wine's SAX reader alone
// on the same reply. Subject and floor rounds alternate; the
// connect and the parse are also shown beside their own floors.
#include <winsock2.h>  // before any windows.h

#include <msxml2.h>
#include <objidl.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/InterleavedRounds.h"
#include "bench/loopback/LoopbackFloor.h"
#include "chartcontrol/ProviderExchange.h"
#include "base/com/RefPtr.h"
#include "base/com/ScopedComApartment.h"
#include "base/com/ThreadClassCache.h"
#include "common/providerwire/ProviderFrame.h"
#include "platform/net/TcpConnector.h"
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

// Wine's reader alone: one reader made beforehand, no content handler, the
// text in a stream as the client hands it over.
class CBareReader {
public:
    CBareReader()
    {
        CoCreateInstance(CLSID_SAXXMLReader, nullptr, CLSCTX_ALL, IID_ISAXXMLReader,
                         reinterpret_cast<void**>(m_reader.Put()));
    }
    explicit operator bool() const { return static_cast<bool>(m_reader); }

    bool Parse(const std::wstring& text) const
    {
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        if (!memory)
            return false;
        auto* target = static_cast<wchar_t*>(GlobalLock(memory));
        if (!target) {
            GlobalFree(memory);
            return false;
        }
        target[0] = 0xFEFF;
        memcpy(target + 1, text.data(), text.size() * sizeof(wchar_t));
        GlobalUnlock(memory);
        RefPtr<IStream> stream;
        if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.Put()))) {
            GlobalFree(memory);
            return false;
        }
        VARIANT input;
        input.vt = VT_UNKNOWN;
        input.punkVal = stream.Get();
        return m_reader->parse(input) == S_OK;
    }

private:
    RefPtr<ISAXXMLReader> m_reader;
};

// The connect alone, as the client makes it, and as the floor makes it.
bool ClientConnect(unsigned short port)
{
    CInetAddress peer;
    CTcpStream stream;
    return peer.Set(port, "127.0.0.1", AF_UNSPEC, 2000) &&
           CTcpConnector().Connect(stream, peer, CTimeValue::FromMilliseconds(2000));
}

bool PlainConnect(unsigned short port)
{
    return static_cast<bool>(CLoopbackFloor::ConnectLoopback(port));
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
    // The chart control keeps the classes it makes for its life, as this does.
    const CThreadClassCache classes;
    const std::wstring request = HistoricalRequestText();
    const std::wstring replyText = DailyReplyText();
    const std::string replyFrame = EncodeProviderFrame(replyText);
    CLoopbackFloor floor(EncodeProviderFrame(request), replyFrame);
    // Accepts and drops connections, for the connects alone.
    CScriptedProvider closing({ProviderScript::Action::CloseAtOnce, {}});
    const CBareReader bare;
    if (closing.Port() == 0 || !floor.IsListening() || !bare) {
        fprintf(stderr, "cannot listen on loopback or make the reader\n");
        return 1;
    }
    printf("request %zu bytes, reply %zu bytes (%d entries), %d rounds each, interleaved\n", request.size() * 4 + 2,
           replyFrame.size(), kEntries, rounds);
    const InterleavedFigures exchange = MeasureInterleaved(
        rounds, 1, [&] { return static_cast<bool>(ExchangeWithProvider(request, "127.0.0.1", floor.Port(), 2000)); },
        [&] { return floor.RoundTrip() && bare.Parse(replyText); });
    const InterleavedFigures plain = MeasureInterleaved(
        rounds, 1, [&] { return static_cast<bool>(ExchangeWithProvider(request, "127.0.0.1", floor.Port(), 2000)); },
        [&] { return floor.RoundTrip(); });
    const std::string payload = replyFrame.substr(1, replyFrame.size() - 2);
    const InterleavedFigures parse = MeasureInterleaved(
        rounds, 1, [&] { return static_cast<bool>(ParseProviderPayload(payload.data(), payload.size())); },
        [&] { return bare.Parse(replyText); });
    const InterleavedFigures connect = MeasureInterleaved(
        rounds, 1, [&] { return ClientConnect(closing.Port()); }, [&] { return PlainConnect(closing.Port()); });
    PrintInterleaved("exchange / (round trip + reader)", exchange);
    PrintInterleaved("exchange / plain round trip", plain);
    PrintInterleaved("ParseProviderPayload / reader", parse);
    PrintInterleaved("client connect / plain connect", connect);
    printf("target: exchange <= 1.5x (round trip + reader)\n");
    return exchange.failures || plain.failures || parse.failures || connect.failures ? 1 : 0;
}
