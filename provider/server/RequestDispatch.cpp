#include "provider/server/RequestDispatch.h"

#include "common/providerwire/ProviderFrame.h"

namespace {

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

}  // namespace

RunResult DispatchCommand(CXmlNode* container, CXmlNode* reply, const RequestRunner& run)
{
    if (!container)
        return RunResult::Completed;
    CXmlNodePtr command = CXmlNodePtr::Adopt(container->FindChild(L"command", 0));
    if (!command)
        return RunResult::Completed;
    std::wstring cmd;
    if (!command->GetAttributeString(L"cmd", cmd) || _wcsicmp(cmd.c_str(), L"historical") != 0)
        return RunResult::Completed;
    CXmlNodePtr params = CXmlNodePtr::Adopt(command->FindChild(L"params", 0));
    if (!params)
        return RunResult::Completed;

    HistoricalRequest request;
    if (!params->GetAttributeString(L"symbol", request.symbol) ||
        !params->GetAttributeString(L"type", request.type) ||
        !params->GetAttributeString(L"interval", request.interval) ||
        !params->GetAttributeString(L"range1", request.range1) ||
        !params->GetAttributeString(L"range2", request.range2) ||
        !params->GetAttributeString(L"nodename", request.nodename))
        return RunResult::Completed;
    if (!params->GetAttributeString(L"sub", request.routine))
        request.routine = L"GetHistorical";
    if (!IsScriptIdentifier(request.routine) || !run)
        return RunResult::Completed;
    return run(request, reply);
}

bool IsScriptIdentifier(const std::wstring& name)
{
    if (name.empty() || !IsAsciiLetter(name[0]))
        return false;
    for (wchar_t c : name) {
        if (!IsAsciiLetter(c) && !(c >= L'0' && c <= L'9') && c != L'_')
            return false;
    }
    return true;
}

std::wstring VbsStringLiteral(const std::wstring& value)
{
    // Quotes are doubled; characters below 0x20 cannot stand inside a
    // literal (a line break would end the statement), so they are joined in
    // as Chr(n).
    std::wstring literal = L"\"";
    for (wchar_t c : value) {
        if (c == L'"') {
            literal += L"\"\"";
        } else if (c < 0x20) {
            literal += L"\" & Chr(" + std::to_wstring(static_cast<int>(c)) + L") & \"";
        } else {
            literal += c;
        }
    }
    literal += L'"';
    return literal;
}

std::wstring BuildRoutineCall(const HistoricalRequest& request)
{
    const std::wstring* values[] = {&request.symbol, &request.type,   &request.interval,
                                    &request.range1, &request.range2, &request.nodename};
    std::wstring call = request.routine + L"(";
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) {
        if (i > 0)
            call += L", ";
        call += VbsStringLiteral(*values[i]);
    }
    call += L")";
    return call;
}

std::wstring AnswerRequest(const std::string& payload, const RequestRunner& run)
{
    CXmlNodePtr reply = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"response"));
    CXmlNodePtr container = ParseProviderPayload(payload.data(), payload.size());
    const RunResult result = DispatchCommand(container.Get(), reply.Get(), run);
    if (result == RunResult::TimedOut)
        return BareReplyText();
    std::wstring status;
    // The chart control takes "ok" in any case as success.
    if (result == RunResult::Failed && reply->GetAttributeString(L"status", status) &&
        _wcsicmp(status.c_str(), L"ok") == 0)
        reply->SetAttribute(L"status", kScriptFailedStatus);
    std::wstring text;
    reply->WriteToString(text);
    return text;
}

std::wstring BareReplyText()
{
    CXmlNodePtr reply = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"response"));
    std::wstring text;
    reply->WriteToString(text);
    return text;
}
