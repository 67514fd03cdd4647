#include "bench/loopback/RoundTripFigures.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWarmUpRounds = 5;

}  // namespace

RoundTripFigures MeasureRoundTrips(int count, const std::function<bool()>& roundTrip)
{
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < kWarmUpRounds; ++i)
        roundTrip();

    RoundTripFigures figures;
    std::vector<double> milliseconds;
    milliseconds.reserve(static_cast<size_t>(count));
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const auto before = Clock::now();
        const bool ok = roundTrip();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
        ok ? ++figures.completed : ++figures.failed;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (seconds > 0)
        figures.requestsPerSecond = count / seconds;
    if (!milliseconds.empty()) {
        const auto middle = milliseconds.begin() + static_cast<std::ptrdiff_t>(milliseconds.size() / 2);
        std::nth_element(milliseconds.begin(), middle, milliseconds.end());
        figures.medianMilliseconds = *middle;
    }
    return figures;
}

void PrintFigures(const char* label, const RoundTripFigures& figures)
{
    printf("%-34s %9.1f requests/s   median %8.3f ms   (%d ok, %d failed)\n", label,
           figures.requestsPerSecond, figures.medianMilliseconds, figures.completed, figures.failed);
}

void PrintRatio(const char* label, const RoundTripFigures& measured, const RoundTripFigures& floor)
{
    const double medianRatio =
        floor.medianMilliseconds > 0 ? measured.medianMilliseconds / floor.medianMilliseconds : 0;
    const double rateRatio = measured.requestsPerSecond > 0 ? floor.requestsPerSecond / measured.requestsPerSecond : 0;
    printf("%-34s median %.2fx the floor, throughput 1/%.2f of the floor\n", label, medianRatio, rateRatio);
}
