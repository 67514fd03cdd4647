#include "bench/loopback/InterleavedRoundTrips.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWarmUpPairs = 5;

using Clock = std::chrono::steady_clock;

double TimeOne(const std::function<bool()>& roundTrip, RoundTripFigures& figures)
{
    const auto before = Clock::now();
    roundTrip() ? ++figures.completed : ++figures.failed;
    return std::chrono::duration<double, std::milli>(Clock::now() - before).count();
}

void Finish(RoundTripFigures& figures, std::vector<double>& milliseconds)
{
    double total = 0;
    for (double ms : milliseconds)
        total += ms;
    figures.requestsPerSecond = total > 0 ? milliseconds.size() * 1000.0 / total : 0;
    figures.medianMilliseconds = Median(milliseconds);
}

}  // namespace

double Percentile(std::vector<double>& values, double fraction)
{
    if (values.empty())
        return 0;
    const size_t at = std::min(values.size() - 1, static_cast<size_t>(values.size() * fraction));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
    return values[at];
}

double Median(std::vector<double>& values)
{
    return Percentile(values, 0.5);
}

InterleavedFigures MeasureInterleaved(int pairs, const std::function<bool()>& subject,
                                      const std::function<bool()>& floor)
{
    for (int i = 0; i < kWarmUpPairs; ++i) {
        subject();
        floor();
    }
    InterleavedFigures figures;
    std::vector<double> subjectMs, floorMs, ratios;
    for (int i = 0; i < pairs; ++i) {
        const double a = TimeOne(subject, figures.subject);
        const double b = TimeOne(floor, figures.floor);
        subjectMs.push_back(a);
        floorMs.push_back(b);
        if (b > 0)
            ratios.push_back(a / b);
    }
    Finish(figures.subject, subjectMs);
    Finish(figures.floor, floorMs);
    figures.medianPairRatio = Median(ratios);
    return figures;
}

void PrintInterleaved(const char* subjectLabel, const char* floorLabel, const InterleavedFigures& figures)
{
    PrintFigures(subjectLabel, figures.subject);
    PrintFigures(floorLabel, figures.floor);
    printf("%-34s median of per-pair ratios %.2fx (ratio of medians %.2fx)\n", "interleaved against the floor",
           figures.medianPairRatio,
           figures.floor.medianMilliseconds > 0 ? figures.subject.medianMilliseconds / figures.floor.medianMilliseconds
                                                : 0);
}
