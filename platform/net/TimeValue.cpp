#include "platform/net/TimeValue.h"

#include <cmath>

CTimeValue CTimeValue::FromMilliseconds(int milliseconds)
{
    const double secondsValue = milliseconds / 1000.0;
    const double whole = std::floor(secondsValue);
    long micro = static_cast<long>(std::floor((secondsValue - whole) * 1000000.0 + 0.5));
    CTimeValue value;
    value.seconds = static_cast<long>(whole);
    if (micro >= 1000000) {
        ++value.seconds;
        micro -= 1000000;
    }
    value.microseconds = micro;
    return value;
}

timeval RemainingUntil(std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    const auto left = duration_cast<microseconds>(deadline - steady_clock::now());
    timeval tv{};
    if (left.count() > 0) {
        tv.tv_sec = static_cast<long>(left.count() / 1000000);
        tv.tv_usec = static_cast<long>(left.count() % 1000000);
    }
    return tv;
}

CTimeValue CTimeValue::Until(std::chrono::steady_clock::time_point deadline)
{
    const timeval left = RemainingUntil(deadline);
    CTimeValue value;
    value.seconds = left.tv_sec;
    value.microseconds = left.tv_usec;
    return value;
}
