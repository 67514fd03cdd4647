#include "chartcontrol/ProviderReplyReader.h"

CProviderReplyReader::State CProviderReplyReader::Append(const char* data, size_t count)
{
    if (m_state != State::NeedMore)
        return m_state;
    m_received += count;
    m_cutter.Append(data, count);
    if (m_cutter.NextPayload(m_payload))
        return m_state = State::Complete;
    if (m_received >= m_maxBytes || m_cutter.Overflowed())
        return m_state = State::TooLong;
    return m_state;
}
