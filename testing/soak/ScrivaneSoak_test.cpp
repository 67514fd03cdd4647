// A hostile-peer soak of the real Scrivane.exe over loopback: normal
// requests through the chart control's own client run beside clients that
// leave during their reply, stay idle, drip a byte now and then, never read,
// send oversized frames or random bytes; before them a second program is
// started twice under traffic from its first moment, and every reply it
// gives must come from its startup script. Every normal request must be
// answered within its time-out,
// and the program's handles and memory must come back near where they
// started. SOAK_SECONDS sets the length (default 30, with a 2 s idle
// time-out); testing/soak/scrivane-soak runs the two-minute form with the
// program's own 30 s.
#include "provider/server/test/ServerTestSupport.h"  // first: winsock2.h before windows.h

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "chartcontrol/Provider.h"
#include "base/com/ScopedComApartment.h"
#include "common/providerwire/ProviderFrame.h"
#include "platform/net/WinsockRuntime.h"
#include "provider/app/test/ScrivaneProcess.h"

namespace {

const wchar_t kSoakScript[] =
    L"Sub GetHistorical(symbol, kind, interval, range1, range2, nodename)\r\n"
    L"  If symbol = \"BIG\" Then\r\n"
    L"    SetStatus String(1300000, \"x\")\r\n"
    L"  Else\r\n"
    L"    SetStatus \"ok\"\r\n"
    L"    For i = 1 To 20\r\n"
    L"      AddDataEntry 1, i, 2009, 0, 0, 0, i\r\n"
    L"    Next\r\n"
    L"  End If\r\n"
    L"End Sub\r\n";

// The bound for "answered": far above a normal exchange, far below a stall.
// Scrivane has one thread, and on a loaded test machine a normal request can
// wait seconds behind a 5 MB reply being built for a hostile peer; a peer that
// denied service would hold it for the whole soak.
constexpr int kNormalTimeoutMs = 10000;
// "Near where they started": a few handles and a few megabytes of heap.
constexpr long kHandleAllowance = 10;
constexpr size_t kMemoryAllowance = 16 * 1024 * 1024;

int SoakSeconds()
{
    const char* text = getenv("SOAK_SECONDS");
    const int seconds = text ? atoi(text) : 0;
    return seconds > 0 ? seconds : 30;
}

std::string BigRequest()
{
    std::wstring text =
        L"<command cmd=\"historical\"><params symbol=\"BIG\" type=\"close\" interval=\"daily\" range1=\"a\" "
        L"range2=\"b\" nodename=\"Soak\"/></command>";
    return EncodeProviderFrame(text);
}

// One normal request through the chart control's client: true when it was
// answered "ok" within the time-out.
bool NormalRequest(unsigned short port)
{
    CProviderPtr provider = CProviderPtr::Adopt(new CProvider(port, kNormalTimeoutMs, L"127.0.0.1", L"GetHistorical"));
    CXmlNodePtr reply = provider->RequestHistorical(L"MSFT", L"close", L"daily", L"01/01/2009", L"12/31/2009", L"Soak");
    CXmlNodePtr response = CXmlNodePtr::Adopt(reply ? reply->FindChild(L"Response", 0) : nullptr);
    std::wstring status;
    return response && response->GetAttributeString(L"status", status) && status == L"ok";
}

// Runs `round` over and over on a thread of its own until stopped.
class Peers {
public:
    ~Peers() { Stop(); }
    void Add(std::function<void()> round)
    {
        m_threads.emplace_back([this, round = std::move(round)] {
            // The chart control's client parses replies through COM.
            const ScopedComApartment com;
            while (!m_stop)
                round();
        });
    }
    void Stop()
    {
        m_stop = true;
        for (std::thread& thread : m_threads)
            thread.join();
        m_threads.clear();
    }
    bool Stopping() const { return m_stop; }

private:
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_threads;
};

// One start of a second program under traffic from before it listens: every
// reply must come from its startup script. Adds the replies of each kind.
void StartUnderTraffic(std::atomic<int>& fromScript, std::atomic<int>& other)
{
    const unsigned short port = FreeLoopbackPort();
    const std::string request = EncodeProviderFrame(
        L"<command cmd=\"historical\"><params symbol=\"MSFT\" type=\"close\" interval=\"daily\" range1=\"a\" "
        L"range2=\"b\" nodename=\"Reload\"/></command>");
    std::atomic<int> answered{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> traffic;
    for (int i = 0; i < 2; ++i) {
        traffic.emplace_back([&] {
            while (!stop) {
                Client client(port);
                if (!client.Connected()) {
                    Sleep(5);
                    continue;
                }
                client.Send(request);
                const std::string reply = client.Read(1);
                std::wstring text;
                const bool decoded = reply.size() >= 2 && DecodeProviderPayload(reply.data() + 1, reply.size() - 2, text);
                (decoded && text.find(L"status=\"ok\"") != std::wstring::npos ? answered : other)++;
            }
        });
    }
    {
        ScrivaneProcess program(kSoakScript, L"ServerPort=" + std::to_wstring(port) + L"\r\n");
        for (DWORD waited = 0; program.Started() && answered < 10 && waited < 30000; waited += 50)
            Sleep(50);
        stop = true;
        for (std::thread& thread : traffic)
            thread.join();
    }
    fromScript += answered;
}

// Sleeps up to `ms`, less when the peers stop meanwhile.
void Pause(const Peers& peers, DWORD ms)
{
    for (DWORD waited = 0; waited < ms && !peers.Stopping(); waited += 50)
        Sleep(50);
}

TEST(ScrivaneSoak, NormalRequestsAreAnsweredBesideHostilePeersAndNothingIsKept)
{
    ASSERT_TRUE(EnsureWinsockStarted());
    const int seconds = SoakSeconds();
    const bool programIdle = seconds >= 90;   // room for the program's own 30 s
    const DWORD idleMs = programIdle ? 30000 : 2000;
    ScrivaneProcess program(kSoakScript, programIdle ? L"" : L"IdleTimeoutMSEC=2000\r\n");
    ASSERT_TRUE(program.Started());
    const unsigned short port = program.WaitForServerPort();
    ASSERT_NE(0, port);
    // The startup script is loaded a second after start-up.
    bool ready = false;
    for (int attempt = 0; attempt < 100 && !(ready = NormalRequest(port)); ++attempt)
        Sleep(100);
    ASSERT_TRUE(ready);

    // Warm up with whole big replies too, so their heap counts as the start.
    for (int i = 0; i < 3; ++i) {
        Client client(port);
        client.Send(BigRequest());
        const std::string reply = client.Read(1);
        ASSERT_GT(reply.size(), 5000000u);
        ASSERT_EQ('>', reply.back());
    }
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(NormalRequest(port));
    // A second program started twice under traffic from its first moment; on
    // its own, since starting a program here costs the other peers seconds.
    int restarts = 0;
    std::atomic<int> restartReplies{0};
    std::atomic<int> restartOther{0};
    for (; restarts < 2; ++restarts)
        StartUnderTraffic(restartReplies, restartOther);
    Sleep(1000);
    const long handlesBefore = program.HandleCount();
    const size_t memoryBefore = program.PrivateBytes();
    ASSERT_GE(handlesBefore, 0);
    ASSERT_NE(0u, memoryBefore);

    std::atomic<int> answered{0};
    std::atomic<int> failed{0};
    Peers normal;
    for (int i = 0; i < 2; ++i) {
        normal.Add([&] {
            (NormalRequest(port) ? answered : failed)++;
            Pause(normal, 50);
        });
    }

    const DWORD settleMs = idleMs + 5000;
    const DWORD hostileMs = static_cast<DWORD>(seconds) * 1000 - settleMs;
    std::atomic<int> hostileRounds{0};
    std::atomic<int> dripsCut{0};
    {
        Peers hostile;
        // One slot: with the others, the eleven are nearly all taken.
        hostile.Add([&] {   // a byte of a request now and then: never idle, never whole
            const DWORD dripMs = idleMs / 4;
            Client client(port, dripMs);
            const std::string request = BigRequest();
            for (size_t at = 0; at < request.size() - 1 && !hostile.Stopping(); ++at) {
                client.Send(request.substr(at, 1));
                if (client.ClosedByServer()) {
                    ++dripsCut;
                    return;
                }
            }
        });

        hostile.Add([&] {   // leaves while its reply is under way
            Client client(port);
            client.Send(BigRequest());
            Sleep(100);
            client.Close(hostileRounds++ % 2 == 0);
            Pause(hostile, 400);
        });
        for (bool halfFrame : {false, true}) {
            hostile.Add([&, halfFrame] {   // sends nothing, or half a frame, until closed
                Client client(port, idleMs + 5000);
                if (halfFrame)
                    client.Send(BigRequest().substr(0, 60));
                client.ClosedByServer();
                ++hostileRounds;
            });
        }
        hostile.Add([&] {   // asks for twenty big replies and never reads
            Client client(port, idleMs + 5000);
            std::string requests;
            for (int i = 0; i < 20; ++i)
                requests += BigRequest();
            client.Send(requests);
            Pause(hostile, idleMs + 1000);
            ++hostileRounds;
        });
        hostile.Add([&] {   // a frame far larger than any request
            Client client(port);
            client.Send("<" + std::string(100 * 1024, '0'));
            client.ClosedByServer();
            ++hostileRounds;
            Pause(hostile, 500);
        });
        std::mt19937 random(17);
        hostile.Add([&] {   // random bytes, brackets among them
            Client client(port, 2000);
            std::string bytes(4096, '\0');
            for (char& byte : bytes)
                byte = static_cast<char>(random() % 8 == 0 ? "<>"[random() % 2] : random() % 256);
            client.Send(bytes);
            client.Read(1, 4096);
            client.Close(false);
            ++hostileRounds;
            Pause(hostile, 200);
        });
        Sleep(hostileMs);
    }
    // Normal requests go on while what the hostile peers left is cleared.
    Sleep(settleMs);
    normal.Stop();

    const long handlesAfter = program.HandleCount();
    const size_t memoryAfter = program.PrivateBytes();
    printf("%d s: %d normal requests answered, %d not; %d hostile rounds; %d dripping peers cut; %d restarts "
           "under traffic, %d replies from the script, %d not; handles %ld -> %ld; private memory %.1f -> %.1f MB\n",
           seconds, answered.load(), failed.load(), hostileRounds.load(), dripsCut.load(), restarts,
           restartReplies.load(), restartOther.load(), handlesBefore, handlesAfter, memoryBefore / 1048576.0,
           memoryAfter / 1048576.0);
    EXPECT_EQ(0, failed.load()) << "normal requests not answered within " << kNormalTimeoutMs << " ms";
    EXPECT_GE(answered.load(), seconds) << "normal requests went on throughout";
    EXPECT_GE(hostileRounds.load(), seconds) << "the hostile peers ran";
    EXPECT_GT(dripsCut.load(), 0) << "dripping peers keep their slots";
    EXPECT_GT(restartReplies.load(), 0);
    EXPECT_EQ(0, restartOther.load()) << "replies not from the startup script";
    EXPECT_LE(handlesAfter, handlesBefore + kHandleAllowance);
    EXPECT_LE(memoryAfter, memoryBefore + kMemoryAllowance);
    EXPECT_TRUE(NormalRequest(port));
}

}  // namespace
