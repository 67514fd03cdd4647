#pragma once
// A blocking socket with a read-ahead buffer for line-based headers
// followed by a body read to the end.

#include "textvote/socket/BlockingSocket.h"

namespace nsSocket {

class CHttpBlockingSocket : public CBlockingSocket {
public:
    static constexpr int kReadAhead = 1000;

    CHttpBlockingSocket() : m_held(new char[kReadAhead]) {}

    // Copies one line, through its line feed, into `buffer` and ends it with
    // a NUL; a longer line is cut to `room` - 1 bytes but taken out whole.
    // Returns the bytes copied. A line that does not come throws
    // "ReadHeaderLine".
    int ReadHeaderLine(char* buffer, int room, unsigned timeoutSeconds);
    // The held bytes, then the rest until the peer closes or `length` bytes
    // are there. Returns the count.
    int ReadResponse(char* buffer, int length, unsigned timeoutSeconds);

private:
    std::unique_ptr<char[]> m_held;
    int m_heldCount = 0;
};

}  // namespace nsSocket
