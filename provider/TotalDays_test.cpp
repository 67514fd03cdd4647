#include <gtest/gtest.h>

#include "provider/TotalDays.h"

namespace {

TEST(TotalDays, AutomationDateArithmeticAndCalendarChecks)
{
    struct Case { long year, month, day, hour, minute, second; bool valid; double expected; };
    const Case cases[] = {
        {2009, 1, 2, 12, 0, 0, true, 39813.5},
        {1900, 1, 1, 0, 0, 0, true, 0.0},
        {1899, 12, 30, 6, 0, 0, true, -1.75},
        {1899, 12, 29, 12, 0, 0, true, -3.5},   // before the epoch the time still counts forward
        {2000, 2, 29, 23, 59, 59, true, 36583.0 + 86399.0 / 86400.0},
        {9999, 12, 31, 0, 0, 0, true, 2958463.0},
        {1900, 2, 29, 0, 0, 0, false, 0}, {2009, 2, 29, 0, 0, 0, false, 0},
        {2009, 13, 1, 0, 0, 0, false, 0}, {2009, 0, 1, 0, 0, 0, false, 0},
        {2009, 4, 31, 0, 0, 0, false, 0}, {2009, 1, 0, 0, 0, 0, false, 0},
        {2009, 1, 1, -1, 0, 0, false, 0}, {2009, 1, 1, 0, 60, 0, false, 0},
        {2009, 1, 1, 0, 0, 60, false, 0}, {99, 1, 1, 0, 0, 0, false, 0},
        {10000, 1, 1, 0, 0, 0, false, 0},
    };
    for (const Case& c : cases) {
        double days = -12345.0;
        EXPECT_EQ(c.valid, TotalDaysSince1900(c.year, c.month, c.day, c.hour, c.minute, c.second, days))
            << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":" << c.minute << ":" << c.second;
        if (c.valid) {
            EXPECT_NEAR(c.expected, days, 1e-6) << c.year << "-" << c.month << "-" << c.day;
        }
    }
}

}  // namespace
