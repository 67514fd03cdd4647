#pragma once
// A duration in whole seconds and microseconds, the form select() takes.

#include <winsock2.h>

#include <chrono>

struct CTimeValue {
    long seconds = 0;
    long microseconds = 0;

    // milliseconds / 1000.0 seconds, microseconds rounded half up.
    static CTimeValue FromMilliseconds(int milliseconds);
    // What is left of `deadline`, never negative.
    static CTimeValue Until(std::chrono::steady_clock::time_point deadline);

    std::chrono::microseconds Duration() const
    {
        return std::chrono::seconds(seconds) + std::chrono::microseconds(microseconds);
    }
};

// The select() time-out for what is left of `deadline`, never negative.
timeval RemainingUntil(std::chrono::steady_clock::time_point deadline);
