#pragma once
// The providers' wire framing: "<", four upper-case hex digits per UTF-16
// unit, ">". Bytes before the first "<" of a stream are ignored.

#include <cstddef>
#include <string>

// The frame of `text`: 4n+2 bytes for n units.
std::string EncodeProviderFrame(const std::wstring& text);

// Decodes the digits between the brackets. False, with `text` untouched,
// when the length is not a multiple of four or a byte is not "0"-"9"/"A"-"F".
bool DecodeProviderPayload(const char* payload, size_t length, std::wstring& text);

// Collects received bytes until the first complete frame.
class CProviderFrameReader {
public:
    enum class State { NeedMore, Complete, TooLong };

    // `maxBytes` bounds everything received, stray bytes included: a peer
    // that never closes its frame is cut off there.
    explicit CProviderFrameReader(size_t maxBytes) : m_maxBytes(maxBytes) {}

    State Append(const char* data, size_t count);

    // The bytes strictly between the brackets, once Complete.
    const std::string& Payload() const { return m_payload; }

private:
    std::string m_payload;
    size_t m_maxBytes;
    size_t m_received = 0;
    bool m_opened = false;
    State m_state = State::NeedMore;
};
