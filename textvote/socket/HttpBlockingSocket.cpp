#include "textvote/socket/HttpBlockingSocket.h"

#include <algorithm>
#include <cstring>

namespace nsSocket {

int CHttpBlockingSocket::ReadHeaderLine(char* buffer, int room, unsigned timeoutSeconds)
{
    const char* lineFeed;
    while (!(lineFeed = static_cast<const char*>(memchr(m_held.get(), '\n', m_heldCount)))) {
        // A full buffer without a line feed receives 0 bytes and fails too.
        const int received = Receive(m_held.get() + m_heldCount, kReadAhead - m_heldCount, timeoutSeconds);
        if (received <= 0)
            throw CBlockingSocketException(L"ReadHeaderLine");
        m_heldCount += received;
    }
    const int lineLength = static_cast<int>(lineFeed - m_held.get()) + 1;
    const int copied = room > 0 ? std::min(lineLength, room - 1) : 0;
    if (room > 0) {
        memcpy(buffer, m_held.get(), copied);
        buffer[copied] = '\0';
    }
    m_heldCount -= lineLength;
    memmove(m_held.get(), m_held.get() + lineLength, m_heldCount);
    return copied;
}

int CHttpBlockingSocket::ReadResponse(char* buffer, int length, unsigned timeoutSeconds)
{
    int total = std::min(m_heldCount, length);
    memcpy(buffer, m_held.get(), total);
    m_heldCount -= total;
    memmove(m_held.get(), m_held.get() + total, m_heldCount);
    while (total < length) {
        const int received = Receive(buffer + total, std::min(length - total, kReadAhead), timeoutSeconds);
        if (received == 0)
            break;
        total += received;
    }
    return total;
}

}  // namespace nsSocket
