#pragma once
// Times a round trip many times and prints requests per second and the
// median, and how a measured path compares with its floor.

#include <functional>

struct RoundTripFigures {
    int completed = 0;
    int failed = 0;
    double requestsPerSecond = 0;
    double medianMilliseconds = 0;
};

// Runs `roundTrip` a few times unmeasured, then `count` times measured.
RoundTripFigures MeasureRoundTrips(int count, const std::function<bool()>& roundTrip);

void PrintFigures(const char* label, const RoundTripFigures& figures);
// "measured / floor" for the median and "floor / measured" for throughput.
void PrintRatio(const char* label, const RoundTripFigures& measured, const RoundTripFigures& floor);
