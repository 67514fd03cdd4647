#pragma once
// Reads one line of a directory listing in the EPLF, UNIX, VMS or MS-DOS
// format into a CFTPFileStatus. One parser serves one listing: it guesses
// the year of UNIX dates that carry none from the clock, once.

#include <string>

#include "textvote/ftp/FileStatus.h"

namespace nsFTP {

class CListingParser {
public:
    // `now`: the clock in seconds since 1970 (UTC), read when not given.
    CListingParser();
    explicit CListingParser(long long now);

    // False (and a reset status) for a line of no known format.
    bool Parse(CFTPFileStatus& status, const std::wstring& line);

    // Seconds from 1970-01-01 to the day, month 0 being January, in the
    // proleptic Gregorian calendar.
    static long long Date(long long year, int month, int day);

private:
    bool ParseEplf(CFTPFileStatus& status, const std::wstring& line) const;
    bool ParseUnix(CFTPFileStatus& status, const std::wstring& line);
    bool ParseVms(CFTPFileStatus& status, const std::wstring& line) const;
    bool ParseMsDos(CFTPFileStatus& status, const std::wstring& line) const;
    long long GuessYear(int month, int day);

    long long m_now;
    // Date() of the clock's moment 0, negated: 0 on a standard clock.
    long long m_base;
    long long m_currentYear = 0;
    bool m_yearKnown = false;
};

}  // namespace nsFTP
