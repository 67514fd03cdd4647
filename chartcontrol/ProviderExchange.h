#pragma once
// One request to a data provider: the command tree, the TCP exchange and the
// reply tree. Every call blocks its thread; nothing is kept between calls.

#include <cstddef>
#include <string>

#include "common/xml/XmlNode.h"

// Time-out used for every network step when a provider names none (or 0 or less).
constexpr int kDefaultProviderTimeoutMs = 2000;

// Received bytes of one reply beyond which it is abandoned. A year of daily
// data is about a hundred kilobytes on the wire; the most costly reply the
// reader accepts at this size parses well inside the default time-out.
constexpr size_t kMaxProviderReplyBytes = 4 * 1024 * 1024;

// Wraps `params` in a `command` element with `cmd` = the lower-cased word and
// exchanges it with the provider. The reply container (a nameless node whose
// child is the reply's root) or null.
CXmlNodePtr SendProviderCommand(const std::wstring& address, int port, const std::wstring& command,
                                CXmlNodePtr params, int timeoutMs);

// Connects, sends `request` framed, reads the first reply frame and closes.
// `timeoutMs` bounds the whole exchange, from the name's lookup to the
// closing ">". Null on a name not resolved in time, a refused or timed-out
// connection, a short send, a provider that closes or is not done in time,
// a reply over the bound, or a reply that does not parse.
CXmlNodePtr ExchangeWithProvider(const std::wstring& request, const std::string& address, int port,
                                 int timeoutMs);
