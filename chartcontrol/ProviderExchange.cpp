// Winsock's header goes before windows.h, which the header's XML tree brings.
#include <winsock2.h>

#include "chartcontrol/ProviderExchange.h"

#include <windows.h>

#include <chrono>
#include <vector>

#include "chartcontrol/ProviderReplyReader.h"
#include "common/providerwire/ProviderFrame.h"
#include "base/text/TextConversion.h"
#include "platform/net/TcpConnector.h"

namespace {

// Each receive takes at most this much, from a buffer of 32768 bytes.
constexpr int kReceiveBufferBytes = 32768;
constexpr int kReceiveChunkBytes = 32760;

std::wstring LowerCase(std::wstring text)
{
    if (!text.empty())
        CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

CXmlNodePtr ExchangeWithProvider(const std::wstring& request, const std::string& address, int port,
                                 int timeoutMs)
{
    // A port outside 16 bits would silently reach some other service.
    if (port <= 0 || port > 65535)
        return nullptr;
    // Zero or negative would make every step give up at once or never.
    const CTimeValue timeout = CTimeValue::FromMilliseconds(timeoutMs > 0 ? timeoutMs : kDefaultProviderTimeoutMs);

    // One deadline for the whole exchange: a name server that does not
    // answer or a provider that trickles its reply must not hold the host's
    // thread for longer than the time-out.
    const auto deadline = std::chrono::steady_clock::now() + timeout.Duration();
    const auto lookupBound = std::chrono::ceil<std::chrono::milliseconds>(CTimeValue::Until(deadline).Duration());
    CInetAddress peer;
    if (!peer.Set(static_cast<unsigned short>(port), address, AF_UNSPEC, static_cast<DWORD>(lookupBound.count())))
        return nullptr;
    CTcpStream stream;
    if (!CTcpConnector().Connect(stream, peer, CTimeValue::Until(deadline)))
        return nullptr;

    const std::string frame = EncodeProviderFrame(request);
    const int frameBytes = static_cast<int>(frame.size());
    if (stream.SendAll(frame.data(), frameBytes, CTimeValue::Until(deadline)) < frameBytes)
        return nullptr;

    std::vector<char> buffer(kReceiveBufferBytes);
    CProviderReplyReader reader(kMaxProviderReplyBytes);
    for (;;) {
        const int received = stream.Receive(buffer.data(), kReceiveChunkBytes, CTimeValue::Until(deadline));
        if (received <= 0)
            return nullptr;
        const auto state = reader.Append(buffer.data(), static_cast<size_t>(received));
        if (state == CProviderReplyReader::State::TooLong)
            return nullptr;
        if (state == CProviderReplyReader::State::Complete)
            break;
    }
    stream.Close();
    return ParseProviderPayload(reader.Payload().data(), reader.Payload().size());
}

CXmlNodePtr SendProviderCommand(const std::wstring& address, int port, const std::wstring& command,
                                CXmlNodePtr params, int timeoutMs)
{
    CXmlNodePtr commandNode = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"command"));
    commandNode->SetAttribute(L"cmd", LowerCase(command).c_str());
    if (params) {
        params->SetParent(commandNode.Get());
        commandNode->AddChild(params.Detach());
    }
    std::wstring request;
    commandNode->WriteToString(request);
    return ExchangeWithProvider(request, WideToNarrow(address, CP_ACP), port, timeoutMs);
}
