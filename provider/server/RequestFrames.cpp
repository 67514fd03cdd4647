#include "provider/server/RequestFrames.h"

void RequestFrameBuffer::Append(const char* data, size_t count)
{
    if (m_overflowed)
        return;
    m_received.append(data, count);
    // Without a "<" nothing received so far can become part of a frame.
    const size_t open = m_received.find('<');
    if (open == std::string::npos) {
        m_received.clear();
        return;
    }
    const size_t close = m_received.find('>', open);
    if (close == std::string::npos && m_received.size() - open - 1 > m_maxFrameBytes) {
        m_overflowed = true;
        m_received.clear();
        m_received.shrink_to_fit();
    }
}

bool RequestFrameBuffer::NextPayload(std::string& payload)
{
    const size_t open = m_received.find('<');
    if (open == std::string::npos)
        return false;
    const size_t close = m_received.find('>', open + 1);
    if (close == std::string::npos)
        return false;
    payload.assign(m_received, open + 1, close - open - 1);
    m_received.erase(0, close + 1);
    return true;
}
