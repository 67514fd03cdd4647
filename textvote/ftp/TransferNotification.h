#pragma once
// Where the bytes of a transfer come from and go to: a memory stream of
// listing lines or a local file.

#include <cstdio>
#include <deque>
#include <string>

namespace nsFTP {

class ITransferNotification {
public:
    virtual ~ITransferNotification() = default;
    virtual void OnBytesReceived(const char* /*data*/, size_t /*count*/) {}
    // Fills `buffer` with the next bytes to send; `count` 0 ends the transfer.
    virtual void OnPreBytesSend(char* /*buffer*/, size_t /*capacity*/, size_t& count) { count = 0; }
};

// Received text, one character per byte, read back line by line. The bytes
// are held as they came, in blocks that are never moved, and widened line
// by line: a long listing costs about its own size in memory, never twice
// or three times that while it grows.
class COutputStream : public ITransferNotification {
public:
    explicit COutputStream(const std::wstring& lineEnd);

    void OnBytesReceived(const char* data, size_t count) override;

    void Rewind() { m_position = 0; }
    // A line ends at the line-end text or at a line feed alone (a carriage
    // return before it is dropped); a last line without an end counts too.
    bool GetNextLine(std::wstring& line);

    std::wstring GetBuffer() const;

private:
    // The line end as bytes; empty when a character of it is no byte, so
    // that it can never match.
    std::string m_lineEnd;
    std::deque<char> m_bytes;
    size_t m_position = 0;
};

// A local file under a C stream. A failed read or short write marks the
// file failed, so a transfer never passes a truncated file off as done.
class CFile : public ITransferNotification {
public:
    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() override { Close(); }

    bool Open(const std::wstring& path, const std::wstring& mode);
    // False when buffered data could not be written out.
    bool Close();
    bool Seek(long long offset, int origin);
    // -1 when no file is open.
    long long Tell() const;
    size_t Write(const char* data, size_t count);
    size_t Read(char* buffer, size_t count);
    bool IsOpen() const { return m_file != nullptr; }
    bool Failed() const { return m_failed; }
    // The system error of the failure.
    unsigned long Error() const { return m_error; }

    void OnBytesReceived(const char* data, size_t count) override;
    void OnPreBytesSend(char* buffer, size_t capacity, size_t& count) override;

private:
    void Fail();

    FILE* m_file = nullptr;
    bool m_failed = false;
    unsigned long m_error = 0;
};

}  // namespace nsFTP
