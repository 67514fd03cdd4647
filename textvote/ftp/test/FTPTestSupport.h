#pragma once
// Shared pieces of the FTP client's tests: an observer that records what
// the client tells, and logon records for a loopback server.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/net/WinsockRuntime.h"
#include "textvote/ftp/FTPClient.h"

class RecordingObserver : public nsFTP::IClientObserver {
public:
    void OnInternalError(const std::wstring& message, const std::wstring& sourceFile, unsigned) override
    {
        errors.push_back(message);
        sourceFiles.push_back(sourceFile);
    }
    void OnSendCommand(const std::wstring& command) override { commands.push_back(command); }
    void OnResponse(const nsFTP::CReply& reply) override { replies.push_back(reply.Value()); }

    std::vector<std::wstring> errors;
    std::vector<std::wstring> sourceFiles;
    std::vector<std::wstring> commands;
    std::vector<std::wstring> replies;
};

// Asks the transfer to stop once `after` bytes have moved, as a user's
// cancel button would.
class StoppingObserver : public RecordingObserver {
public:
    StoppingObserver(nsFTP::CFTPClient*& client, size_t after) : m_client(client), m_after(after) {}
    void OnBytesReceived(const char*, size_t count) override { Count(count); }
    void OnBytesSent(const char*, size_t count) override { Count(count); }

private:
    void Count(size_t count)
    {
        m_moved += count;
        if (m_client && m_moved >= m_after)
            m_client->Abort();
    }

    nsFTP::CFTPClient*& m_client;
    size_t m_after;
    size_t m_moved = 0;
};

// The product relies on the host having started Winsock; a test is its own host.
class WinsockEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(EnsureWinsockStarted()); }
};

inline nsFTP::CLogonRecord LoopbackLogon(unsigned short port, const std::wstring& user = L"u1",
                                         const std::wstring& password = L"p1")
{
    return nsFTP::CLogonRecord(L"127.0.0.1", port, user, password, L"");
}

inline std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// Bytes 0..255 over and over, then a pseudo-random run, `size` in all.
inline std::string TestBytes(size_t size)
{
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(i < 4096 ? i & 0xFF : state >> 16);
    }
    return bytes;
}

// A fresh path in the temporary folder; the file is removed with the object.
class TempFile {
public:
    explicit TempFile(const std::wstring& name);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

bool WriteBytes(const std::wstring& path, const std::string& bytes);
// Empty with `ok` false when the file cannot be read.
std::string ReadBytes(const std::wstring& path, bool* ok = nullptr);
