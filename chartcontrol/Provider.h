#pragma once
// One data provider from providers.xml: where it listens, how long one
// exchange may take and which of its routines serves historical data.

#include <string>

#include "base/com/RefCounted.h"
#include "base/com/RefPtr.h"
#include "common/xml/XmlNode.h"

class CProvider final : public RefCounted {
public:
    // Reference count 1, owned by the caller.
    CProvider(int port, int timeoutMs, std::wstring address, std::wstring sub);

    int Port() const { return m_port; }
    int TimeoutMs() const { return m_timeoutMs; }
    const std::wstring& Address() const { return m_address; }
    const std::wstring& Sub() const { return m_sub; }

    // Asks the provider for a series; the reply container or null.
    CXmlNodePtr RequestHistorical(const std::wstring& symbol, const std::wstring& type,
                                  const std::wstring& interval, const std::wstring& range1,
                                  const std::wstring& range2, const std::wstring& nodeName);

private:
    ~CProvider() override = default;

    int m_port;
    int m_timeoutMs;
    std::wstring m_address;
    std::wstring m_sub;
};

using CProviderPtr = RefPtr<CProvider>;
