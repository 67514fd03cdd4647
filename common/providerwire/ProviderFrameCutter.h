#pragma once
// Cuts provider frames out of the bytes of one connection, in order. Bytes
// before a "<" belong to no frame and are dropped; inside an open frame a
// second "<" is just a payload byte.

#include <cstddef>
#include <string>

class CProviderFrameCutter {
public:
    // `maxPayloadBytes` bounds an open frame: a peer that never closes its
    // frame is cut off rather than buffered without end.
    explicit CProviderFrameCutter(size_t maxPayloadBytes) : m_maxPayloadBytes(maxPayloadBytes) {}

    void Append(const char* data, size_t count);
    // The next complete frame's payload (the bytes strictly between the
    // brackets); false when none is complete yet.
    bool NextPayload(std::string& payload);
    // True once an open frame has grown past the bound; nothing is cut after.
    bool Overflowed() const { return m_overflowed; }

private:
    // Where the oldest frame closes, or npos; searches only bytes not yet searched.
    size_t FindClose();

    std::string m_pending;    // from the "<" of the oldest uncut frame on; empty when none
    size_t m_searched = 0;    // bytes of m_pending known to hold no closing ">"
    size_t m_maxPayloadBytes;
    bool m_overflowed = false;
};
