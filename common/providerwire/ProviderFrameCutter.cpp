#include "common/providerwire/ProviderFrameCutter.h"

#include <cstring>

void CProviderFrameCutter::Append(const char* data, size_t count)
{
    if (m_overflowed || count == 0)
        return;
    if (m_pending.empty()) {
        // Without a "<" nothing received can become part of a frame.
        const char* open = static_cast<const char*>(memchr(data, '<', count));
        if (!open)
            return;
        count -= static_cast<size_t>(open - data);
        data = open;
        m_searched = 1;
    }
    m_pending.append(data, count);
    if (FindClose() == std::string::npos && m_pending.size() - 1 > m_maxPayloadBytes) {
        m_overflowed = true;
        m_pending.clear();
        m_pending.shrink_to_fit();
    }
}

bool CProviderFrameCutter::NextPayload(std::string& payload)
{
    if (m_pending.empty())
        return false;
    const size_t close = FindClose();
    if (close == std::string::npos)
        return false;
    payload.assign(m_pending, 1, close - 1);
    const size_t next = m_pending.find('<', close + 1);
    if (next == std::string::npos)
        m_pending.clear();
    else
        m_pending.erase(0, next);
    m_searched = 1;
    return true;
}

size_t CProviderFrameCutter::FindClose()
{
    const size_t close = m_pending.find('>', m_searched);
    m_searched = close == std::string::npos ? m_pending.size() : close;
    return close;
}
