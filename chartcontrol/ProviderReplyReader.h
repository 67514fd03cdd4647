#pragma once
// Collects a provider's reply: the first complete frame of the connection.

#include <cstddef>
#include <string>

#include "common/providerwire/ProviderFrameCutter.h"

class CProviderReplyReader {
public:
    enum class State { NeedMore, Complete, TooLong };

    // `maxBytes` bounds everything received, stray bytes included: a peer
    // that sends without end, framed or not, is cut off there.
    explicit CProviderReplyReader(size_t maxBytes) : m_cutter(maxBytes), m_maxBytes(maxBytes) {}

    State Append(const char* data, size_t count);

    // The bytes strictly between the brackets, once Complete.
    const std::string& Payload() const { return m_payload; }

private:
    CProviderFrameCutter m_cutter;
    std::string m_payload;
    size_t m_maxBytes;
    size_t m_received = 0;
    State m_state = State::NeedMore;
};
