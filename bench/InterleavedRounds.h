#pragma once
// A subject and its floor measured in alternating rounds (subject, floor,
// subject, floor, ...), so that whatever load a busy machine puts on one
// round falls on its partner too. The figure to read is the median of the
// per-pair ratios; both medians are printed beside it.

#include <cstdio>
#include <functional>
#include <vector>

#include "bench/BenchTimer.h"

struct InterleavedFigures {
    double subjectMs = 0;   // median of one call
    double floorMs = 0;
    double ratio = 0;       // median of subject / floor over the pairs
    int failures = 0;       // calls of either side that reported failure
};

// Each round times `callsPerRound` calls (for calls too short to time one
// by one); one unmeasured pair goes first.
inline InterleavedFigures MeasureInterleaved(int rounds, int callsPerRound, const std::function<bool()>& subject,
                                             const std::function<bool()>& floor)
{
    constexpr int kWarmUpPairs = 1;
    InterleavedFigures figures;
    const auto round = [&](const std::function<bool()>& call) {
        CBenchTimer timer;
        for (int i = 0; i < callsPerRound; ++i) {
            if (!call())
                ++figures.failures;
        }
        return timer.Milliseconds() / callsPerRound;
    };
    for (int i = 0; i < kWarmUpPairs; ++i) {
        round(subject);
        round(floor);
    }
    figures.failures = 0;
    std::vector<double> subjectTimes, floorTimes, ratios;
    for (int i = 0; i < rounds; ++i) {
        const double a = round(subject);
        const double b = round(floor);
        subjectTimes.push_back(a);
        floorTimes.push_back(b);
        if (b > 0)
            ratios.push_back(a / b);
    }
    figures.subjectMs = Median(subjectTimes);
    figures.floorMs = Median(floorTimes);
    figures.ratio = Median(ratios);
    return figures;
}

// Calls a round of `call` holds so that it lasts about `roundMs`.
inline int CallsPerRound(const std::function<bool()>& call, double roundMs)
{
    CBenchTimer timer;
    int calls = 0;
    do {
        call();
        ++calls;
    } while (timer.Milliseconds() < roundMs);
    return calls;
}

inline void PrintInterleaved(const char* label, const InterleavedFigures& figures)
{
    printf("%-34s %10.4f ms   floor %10.4f ms   %6.2fx the floor (median of pairs)%s\n", label, figures.subjectMs,
           figures.floorMs, figures.ratio, figures.failures ? "   FAILURES" : "");
}
