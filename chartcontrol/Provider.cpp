#include "chartcontrol/Provider.h"

#include <windows.h>

#include "chartcontrol/ProviderExchange.h"

CProvider::CProvider(int port, int timeoutMs, std::wstring address, std::wstring sub)
    : m_port(port), m_timeoutMs(timeoutMs), m_address(std::move(address)), m_sub(std::move(sub))
{
}

CXmlNodePtr CProvider::RequestHistorical(const std::wstring& symbol, const std::wstring& type,
                                         const std::wstring& interval, const std::wstring& range1,
                                         const std::wstring& range2, const std::wstring& nodeName)
{
    CXmlNodePtr params = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"params"));
    params->SetAttribute(L"symbol", symbol.c_str());
    params->SetAttribute(L"type", type.c_str());
    params->SetAttribute(L"interval", interval.c_str());
    params->SetAttribute(L"range1", range1.c_str());
    params->SetAttribute(L"range2", range2.c_str());
    params->SetAttribute(L"sub", m_sub.c_str());
    params->SetAttribute(L"nodename", nodeName.c_str());
    return SendProviderCommand(m_address, m_port, L"historical", std::move(params), m_timeoutMs);
}
