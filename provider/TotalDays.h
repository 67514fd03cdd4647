#pragma once
// Days from 1900-01-01 00:00:00 to a date-time, with the day's fraction, in
// the automation date type's arithmetic (a date before 1899-12-30 counts its
// time of day forward). False for a date-time that is no calendar date or
// lies outside years 100 to 9999.
bool TotalDaysSince1900(long year, long month, long day, long hour, long minute, long second, double& totalDays);
