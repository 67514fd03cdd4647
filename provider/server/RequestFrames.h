#pragma once
// Cuts request frames ("<" hex digits ">") out of the bytes of one
// connection. Bytes before a "<" are dropped with the frame that follows.

#include <cstddef>
#include <string>

class RequestFrameBuffer {
public:
    // `maxFrameBytes` bounds an open frame: a peer that never closes its
    // frame is cut off rather than buffered without end.
    explicit RequestFrameBuffer(size_t maxFrameBytes) : m_maxFrameBytes(maxFrameBytes) {}

    void Append(const char* data, size_t count);
    // The next complete frame's payload (the bytes strictly between the
    // brackets); false when none is complete yet.
    bool NextPayload(std::string& payload);
    // True once an open frame has grown past the bound.
    bool Overflowed() const { return m_overflowed; }

private:
    std::string m_received;
    size_t m_maxFrameBytes;
    bool m_overflowed = false;
};
