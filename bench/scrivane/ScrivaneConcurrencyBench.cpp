// Scrivane under 1, 4 and 16 concurrent clients (each a connection per
// request, as the chart control makes them): requests per second and the
// 50th and 99th percentile of a request's time, beside a one-thread plain
// server answering the same bytes; then bare connect-and-close, which only
// the accepting costs. Subject and floor bursts alternate.
#include <winsock2.h>  // before any windows.h

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchTimer.h"
#include "bench/loopback/LoopbackFloor.h"
#include "common/providerwire/ProviderFrame.h"
#include "platform/net/UniqueSocket.h"
#include "platform/net/WinsockRuntime.h"
#include "provider/app/test/ScrivaneProcess.h"

namespace {

constexpr int kRequestsPerClient = 40;
constexpr int kBursts = 3;
constexpr int kBareConnects = 200;

using Clock = std::chrono::steady_clock;

const wchar_t kTrivialScript[] =
    L"Sub GetHistorical(symbol, kind, interval, range1, range2, nodename)\r\n"
    L"  SetStatus \"ok\"\r\n"
    L"  AddDataEntry 1, 2, 2009, 0, 0, 0, 19.5\r\n"
    L"End Sub\r\n";

const wchar_t kRequest[] =
    L"<command cmd=\"historical\"><params symbol=\"x\" type=\"x\" interval=\"x\" range1=\"x\" range2=\"x\" "
    L"nodename=\"x\"/></command>";

// One request on a connection of its own; the reply is whole at its ">".
bool RoundTrip(unsigned short port, const std::string& request, std::string& reply)
{
    UniqueSocket s = CLoopbackFloor::ConnectLoopback(port);
    if (!s || send(s.Get(), request.data(), static_cast<int>(request.size()), 0) != static_cast<int>(request.size()))
        return false;
    reply.clear();
    char buffer[16384];
    while (reply.empty() || reply.back() != '>') {
        const int n = recv(s.Get(), buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        reply.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

struct Burst {
    std::vector<double> milliseconds;   // of the answered requests
    double seconds = 0;
    int failed = 0;
};

// `clients` threads, each `kRequestsPerClient` round trips one after another.
void RunBurst(int clients, const std::function<bool()>& roundTrip, Burst& into)
{
    std::mutex lock;
    std::atomic<int> failed{0};
    std::vector<std::thread> threads;
    const auto start = Clock::now();
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&] {
            std::vector<double> mine;
            for (int i = 0; i < kRequestsPerClient; ++i) {
                const auto before = Clock::now();
                if (roundTrip())
                    mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
                else
                    ++failed;
            }
            const std::lock_guard<std::mutex> guard(lock);
            into.milliseconds.insert(into.milliseconds.end(), mine.begin(), mine.end());
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    into.seconds += std::chrono::duration<double>(Clock::now() - start).count();
    into.failed += failed;
}

// More clients than Scrivane's 11 slots wait in the backlog of 5 for a free
// slot; one that fails or is refused counts apart, not in the rate.
void PrintBurst(const char* label, int clients, Burst& burst)
{
    const double rate = burst.seconds > 0 ? burst.milliseconds.size() / burst.seconds : 0;
    const double p50 = Median(burst.milliseconds);
    const double p99 = Percentile(burst.milliseconds, 0.99);
    printf("%-22s %2d clients %8.1f answered/s   p50 %7.2f ms   p99 %7.2f ms (%.1fx p50)   %d refused or failed\n", label,
           clients, rate, p50, p99, p50 > 0 ? p99 / p50 : 0, burst.failed);
}

double BareConnectsMs(unsigned short port)
{
    const auto start = Clock::now();
    for (int i = 0; i < kBareConnects; ++i)
        CLoopbackFloor::ConnectLoopback(port);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main()
{
    if (!EnsureWinsockStarted())
        return 1;
    ScrivaneProcess program(kTrivialScript);
    const unsigned short port = program.Started() ? program.WaitForServerPort() : 0;
    const std::string request = EncodeProviderFrame(kRequest);
    // The reply of the loaded script is the one every later reply must equal.
    std::string reply;
    std::wstring text;
    for (int attempt = 0; port && attempt < 100; ++attempt, Sleep(100)) {
        if (RoundTrip(port, request, reply) && DecodeProviderPayload(reply.data() + 1, reply.size() - 2, text) &&
            text.find(L"status=\"ok\"") != std::wstring::npos)
            break;
        reply.clear();
    }
    if (reply.empty()) {
        fprintf(stderr, "Scrivane did not answer\n");
        return 1;
    }
    const CLoopbackFloor floor(request, reply);
    const auto scrivaneTrip = [&] {
        std::string mine;
        return RoundTrip(port, request, mine) && mine == reply;
    };
    const auto floorTrip = [&] { return floor.RoundTrip(); };

    printf("%d requests per client, %d bursts each, Scrivane on port %u\n", kRequestsPerClient, kBursts, port);
    for (int clients : {1, 4, 16}) {
        Burst warmUp, scrivane, plain;
        RunBurst(clients, scrivaneTrip, warmUp);
        for (int i = 0; i < kBursts; ++i) {
            RunBurst(clients, scrivaneTrip, scrivane);
            RunBurst(clients, floorTrip, plain);
        }
        PrintBurst("Scrivane", clients, scrivane);
        PrintBurst("one-thread plain floor", clients, plain);
    }
    double scrivaneMs = 0, plainMs = 0;
    for (int i = 0; i < kBursts; ++i) {
        scrivaneMs += BareConnectsMs(port);
        plainMs += BareConnectsMs(static_cast<unsigned short>(floor.Port()));
    }
    printf("%d bare connect-and-close: Scrivane %.1f ms, one-thread plain floor %.1f ms\n", kBareConnects,
           scrivaneMs / kBursts, plainMs / kBursts);
    return 0;
}
