#pragma once
// Turning a request payload into a routine call of the provider script.

#include <functional>
#include <string>

#include "common/xml/XmlNode.h"

// The routine and the six values of a historical-data request.
struct HistoricalRequest {
    std::wstring routine;
    std::wstring symbol;
    std::wstring type;
    std::wstring interval;
    std::wstring range1;
    std::wstring range2;
    std::wstring nodename;
};

// How a routine's run ended.
enum class RunResult {
    Completed,
    Failed,     // a script error stopped it
    TimedOut,   // it outlasted its time limit
};

// Runs the request's routine; the script builds its answer under `reply`.
using RequestRunner = std::function<RunResult(const HistoricalRequest& request, CXmlNode* reply)>;

// Checks the request under `container` and, when it is one the server
// serves, hands it to `run`. Anything else leaves `reply` untouched and
// counts as completed.
RunResult DispatchCommand(CXmlNode* container, CXmlNode* reply, const RequestRunner& run);

// "Routine("v1", "v2", ...)" with every value a VBScript string literal, so
// a value is always data and never script.
std::wstring BuildRoutineCall(const HistoricalRequest& request);
std::wstring VbsStringLiteral(const std::wstring& value);
// A VBScript identifier: a letter, then letters, digits or "_".
bool IsScriptIdentifier(const std::wstring& name);

// The status a reply carries when its routine failed after setting "ok".
constexpr wchar_t kScriptFailedStatus[] = L"Script error";

// The reply to one request payload as the text written from the reply root.
// A routine that failed never answers "ok"; one that timed out gets the
// bare reply.
std::wstring AnswerRequest(const std::string& payload, const RequestRunner& run);
// The reply root alone: a "response" without attributes or children.
std::wstring BareReplyText();
