#pragma once
// How a failure is reported, one form for each layer:
// - a COM method of ours, and the helpers that work out what it answers,
//   return an HRESULT; no exception crosses a COM or export boundary;
// - the host wrappers (hostclient/) raise CHostException, out of memory too;
// - inside a module a function answers false (or an empty or null result)
//   and, where the module's behaviour logs the failure, writes a line to the
//   deliverable's log; shared code gets that log as a LogSink.
// A failed call's result appears in such a line as HResultText writes it.

#include <windows.h>

#include <functional>
#include <string>

#include "base/text/WideFormat.h"

// One line for the log of the deliverable that runs the shared code; an
// empty sink keeps the code silent.
using LogSink = std::function<void(const std::wstring& line)>;

// Eight upper-case hexadecimal digits after "0x".
inline std::wstring HResultText(HRESULT hr)
{
    return FormatWide(L"0x%08lX", static_cast<unsigned long>(hr));
}
