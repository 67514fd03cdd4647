#include "hostclient/HostException.h"

#include <utility>

CHostException::CHostException(HRESULT hr, std::wstring description, std::wstring source, bool fromHost)
    : m_hr(hr), m_description(std::move(description)), m_source(std::move(source)), m_fromHost(fromHost)
{
}

const char* CHostException::what() const noexcept
{
    return m_fromHost ? "the host raised an error" : "a host call failed";
}
