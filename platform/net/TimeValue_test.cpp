#include "platform/net/TimeValue.h"

#include <gtest/gtest.h>

TEST(TimeValue, MillisecondsBecomeSecondsAndRoundedMicroseconds)
{
    struct Case { int milliseconds; long seconds; long microseconds; };
    const Case cases[] = {
        {2000, 2, 0},
        {500, 0, 500000},
        {1, 0, 1000},
        {2001, 2, 1000},   // 2.001 is not exact in binary: rounding must still give 1000
        {999, 0, 999000},
        {123456, 123, 456000},
        {0, 0, 0},
    };
    for (const Case& c : cases) {
        const CTimeValue value = CTimeValue::FromMilliseconds(c.milliseconds);
        EXPECT_EQ(c.seconds, value.seconds) << c.milliseconds;
        EXPECT_EQ(c.microseconds, value.microseconds) << c.milliseconds;
    }
}
