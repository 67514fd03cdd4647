// Servers that never end what they send, and one that sends nothing: the
// operation fails within the client's time-out with its reason told, and
// what the client holds meanwhile stays bounded. And memory that runs out
// inside the client fails the operation, not the host.
#include <gtest/gtest.h>

#include "textvote/ftp/test/ScriptedServerTestSupport.h"  // first: winsock2.h before windows.h

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <new>
#include <thread>

using Data = FtpStep::Data;

namespace {

using Clock = std::chrono::steady_clock;

// Waits are whole seconds, so one can end up to a second past the time-out;
// the rest is room for a loaded machine.
const auto kAllowance = std::chrono::seconds(2);
const size_t kMB = 1024 * 1024;

// The most the process's private memory rose above its level at the start,
// sampled every few milliseconds until Stop. A reading that fails counts as
// unbounded.
class MemoryGrowthWatch {
public:
    MemoryGrowthWatch() : m_base(PrivateBytes()), m_thread([this] { Sample(); }) {}
    ~MemoryGrowthWatch() { Stop(); }
    MemoryGrowthWatch(const MemoryGrowthWatch&) = delete;
    MemoryGrowthWatch& operator=(const MemoryGrowthWatch&) = delete;

    size_t Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_peak;
    }

private:
    static size_t PrivateBytes()
    {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
            return SIZE_MAX;
        return counters.PagefileUsage;
    }
    void Sample()
    {
        do {
            const size_t now = PrivateBytes();
            const size_t growth = now == SIZE_MAX || m_base == SIZE_MAX ? SIZE_MAX : now > m_base ? now - m_base : 0;
            m_peak = std::max(m_peak.load(), growth);
            Sleep(5);
        } while (!m_stop);
    }

    const size_t m_base;
    std::atomic<bool> m_stop{false};
    std::atomic<size_t> m_peak{0};
    std::thread m_thread;
};

// A greeting of `first`, then `piece` over and over, `pauseMs` apart.
FtpStep EndlessGreeting(const std::string& first, const std::string& piece, unsigned pauseMs)
{
    FtpStep step = Greeting(first);
    step.endless = piece;
    step.endlessPauseMs = pauseMs;
    return step;
}

FtpStep SilentGreeting()
{
    FtpStep step;
    return step;
}

// A listing of `piece` over and over; when the client breaks it off, the
// server says so as a real one does.
std::vector<FtpStep> EndlessListing(const std::string& piece)
{
    return LoggedOn({Pasv(), Transfer("LIST", Data::Endless, piece,
                                      "426 Connection closed; transfer aborted.\r\n")});
}

std::string ListingLines(size_t count, const std::string& line)
{
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += line;
    return text;
}

}  // namespace

TEST(FtpHostileServer, EveryEndlessOrSilentServerFailsWithinTheTimeOutInBoundedMemory)
{
    struct Case {
        const char* name;
        std::vector<FtpStep> script;
        bool listing;  // logs on, then lists; else the logon meets the server
        unsigned timeout;
        unsigned bufferSize;  // large for the listings, so that 64 MB can come within the time-out
        const wchar_t* error;  // how the last error told begins
        size_t memoryBound;
    };
    const std::string listingLine = "-rw-r--r--   1 owner    group        1024 Dec 10 13:22 endless-" +
                                    std::string(24, 'x') + "\r\n";
    const Case cases[] = {
        {"a multi-line greeting that never ends, a line a second",
         {EndlessGreeting("220-Welcome\r\n", "220-and more\r\n", 1000)}, false, 3, 2048, L"Reply timeout", 8 * kMB},
        {"a multi-line greeting that never ends, a thousand lines a second",
         {EndlessGreeting("220-Welcome\r\n", "220-and more\r\n", 1)}, false, 10, 2048, L"Reply refused", 8 * kMB},
        {"a greeting line that never ends", {EndlessGreeting("220 ", std::string(65536, 'x'), 0)}, false, 10,
         2048, L"Reply refused", 8 * kMB},
        {"a server that says nothing", {SilentGreeting()}, false, 3, 2048, L"Receive timeout", 8 * kMB},
        // 64 MB held once, with room to spare.
        {"a listing that never ends", EndlessListing(ListingLines(512, listingLine)), true, 10,
         65536, L"Listing refused", 128 * kMB},
        {"a listing of empty lines that never ends", EndlessListing(std::string(65536, '\n')), true, 10,
         65536, L"Listing refused", 8 * kMB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedFtpServer server(c.script);
        RecordingObserver observer;
        nsFTP::CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), c.timeout, c.bufferSize);
        client.AttachObserver(&observer);
        if (c.listing) {
            ASSERT_TRUE(client.Login(LoopbackLogon(server.Port())));
        }

        const auto start = Clock::now();
        MemoryGrowthWatch memory;
        std::vector<std::wstring> lines;
        const bool succeeded = c.listing ? client.List(L"", lines) : client.Login(LoopbackLogon(server.Port()));
        const size_t growth = memory.Stop();
        const auto elapsed = Clock::now() - start;

        EXPECT_FALSE(succeeded);
        EXPECT_LT(elapsed, std::chrono::seconds(c.timeout) + kAllowance)
            << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() << " ms";
        EXPECT_LT(growth, c.memoryBound) << growth / kMB << " MB";
        ASSERT_FALSE(observer.errors.empty());
        EXPECT_EQ(0u, observer.errors.back().find(c.error)) << testing::PrintToString(observer.errors.back());
        if (c.listing) {
            EXPECT_TRUE(server.ClientClosedEndlessSend()) << "the data connection is closed";
            ASSERT_FALSE(observer.replies.empty());
            EXPECT_EQ(0u, observer.replies.back().find(L"426")) << "the transfer's own reply is read, not left";
            EXPECT_TRUE(lines.empty());
        }
    }
}

namespace {

// Runs out of memory once, at the notice it is set for.
class FailingObserver : public nsFTP::IClientObserver {
public:
    enum class At { Command, Reply, Data };
    explicit FailingObserver(At at) : m_at(at) {}
    void OnSendCommand(const std::wstring&) override { FailAt(At::Command); }
    void OnResponse(const nsFTP::CReply&) override { FailAt(At::Reply); }
    void OnBytesReceived(const char*, size_t) override { FailAt(At::Data); }

private:
    void FailAt(At at)
    {
        if (at == m_at && !m_failed) {
            m_failed = true;
            throw std::bad_alloc();
        }
    }
    At m_at;
    bool m_failed = false;
};

}  // namespace

TEST(FtpClientFailure, AnAllocationFailureInsideFailsTheOperationAndNeverLeavesTheClient)
{
    using At = FailingObserver::At;
    struct Case {
        const char* name;
        At at;
        bool listing;
    };
    const Case cases[] = {
        {"sending a command", At::Command, false},
        {"reading a reply", At::Reply, false},
        {"receiving a listing", At::Data, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedFtpServer server(LoggedOn({Pasv(), Transfer("LIST", Data::Send, "a\r\nb\r\n")}));
        RecordingObserver observer;
        FailingObserver failing(c.at);
        nsFTP::CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), kScriptedTimeout);
        client.AttachObserver(&observer);
        if (c.listing) {
            ASSERT_TRUE(client.Login(LoopbackLogon(server.Port())));
        }
        client.AttachObserver(&failing);
        bool succeeded = true;
        std::vector<std::wstring> lines;
        EXPECT_NO_THROW(succeeded = c.listing ? client.List(L"", lines) : client.Login(LoopbackLogon(server.Port())));
        EXPECT_FALSE(succeeded);
        ASSERT_FALSE(observer.errors.empty());
        EXPECT_EQ(L"Out of memory.", observer.errors.back());
        EXPECT_FALSE(client.IsConnected()) << "what the connection was in the middle of is unknown";
    }
}
