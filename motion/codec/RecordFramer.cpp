#include "motion/codec/RecordFramer.h"

#include <cstring>

namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

} // namespace

bool CRecordFramer::ParseHex(const std::wstring& hex, Pattern& pattern, size_t& length)
{
    if (hex.size() % 2 != 0 || hex.size() / 2 > kMaxPatternBytes)
        return false;
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return false;
        pattern[i / 2] = static_cast<BYTE>(high * 16 + low);
    }
    length = hex.size() / 2;
    return true;
}

bool CRecordFramer::SetPatterns(const std::wstring& startHex, const std::wstring& endHex)
{
    Pattern start{};
    Pattern end{};
    size_t startLength = 0;
    size_t endLength = 0;
    if (!ParseHex(startHex, start, startLength) || !ParseHex(endHex, end, endLength))
        return false;
    m_start = start;
    m_end = end;
    m_startLength = startLength;
    m_endLength = endLength;
    m_count = 0;
    if (m_endLength == 0)
        m_state = kNotMatching;
    else
        m_state = m_startLength ? kSeekingStart : kCollecting;
    return true;
}

bool CRecordFramer::Feed(BYTE byte, std::vector<BYTE>& record)
{
    if (m_count == kCapacity)
        m_count = 0; // a run longer than a record can be is dropped
    switch (m_state) {
    case kSeekingStart:
        SeekStart(byte);
        return false;
    case kCollecting:
        m_buffer[m_count++] = byte;
        return Collect(record);
    case kNotMatching:
        m_buffer[m_count++] = byte;
        return false;
    }
    return false;
}

void CRecordFramer::SeekStart(BYTE byte)
{
    if (byte == m_start[m_count]) {
        ++m_count;
    } else {
        // A mismatch may itself begin the pattern ("0202" after a lone 02).
        m_count = byte == m_start[0] ? 1 : 0;
    }
    if (m_count == m_startLength) {
        m_state = kCollecting;
        m_count = 0;
    }
}

bool CRecordFramer::Collect(std::vector<BYTE>& record)
{
    if (m_count < m_endLength ||
        std::memcmp(m_buffer.data() + m_count - m_endLength, m_end.data(), m_endLength) != 0)
        return false;
    record.assign(m_buffer.begin(), m_buffer.begin() + (m_count - m_endLength));
    m_count = 0;
    if (m_startLength)
        m_state = kSeekingStart;
    return true;
}
