#include "textvote/ftp/ListingParser.h"

#include <ctime>
#include <cwctype>

#include "textvote/ftp/DecimalText.h"

namespace nsFTP {

namespace {

const long long kDay = 86400;
// A date without a year lies in the first year in which it is no more than
// this far in the past.
const long long kRecentPast = 350 * kDay;

// 0 for "jan" to 11 for "dec", in any case; -1 for anything else.
int MonthOf(const std::wstring& text)
{
    static const wchar_t* const kMonths[] = {L"jan", L"feb", L"mar", L"apr", L"may", L"jun",
                                             L"jul", L"aug", L"sep", L"oct", L"nov", L"dec"};
    if (text.size() != 3)
        return -1;
    std::wstring lower;
    for (wchar_t c : text)
        lower.push_back(static_cast<wchar_t>(std::towlower(c)));
    for (int month = 0; month < 12; ++month)
        if (lower == kMonths[month])
            return month;
    return -1;
}

// "h:mm" or "hh:mm".
bool TimeOfDay(const std::wstring& field, long long& seconds)
{
    const size_t colon = field.find(L':');
    if (!((field.size() == 4 && colon == 1) || (field.size() == 5 && colon == 2)))
        return false;
    long long hours;
    long long minutes;
    if (!WholeNumber(field.substr(0, colon), hours) || !WholeNumber(field.substr(colon + 1), minutes))
        return false;
    seconds = hours * 3600 + minutes * 60;
    return true;
}

long long YearOf(long long seconds)
{
    // Civil from days, the inverse of Date().
    long long days = (seconds >= 0 ? seconds : seconds - (kDay - 1)) / kDay + 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    return yearOfEra + era * 400 + (monthIndex >= 10 ? 1 : 0);
}

long long Clock()
{
    return static_cast<long long>(_time64(nullptr));
}

// Reads the text from `pos` up to `separator` into `field` and moves past
// the separator; false when the line ends first.
bool Until(const std::wstring& line, size_t& pos, wchar_t separator, std::wstring& field)
{
    const size_t end = line.find(separator, pos);
    if (end == std::wstring::npos)
        return false;
    field = line.substr(pos, end - pos);
    pos = end + 1;
    return true;
}

void SkipSpaces(const std::wstring& line, size_t& pos)
{
    while (pos < line.size() && line[pos] == L' ')
        ++pos;
}

void SkipField(const std::wstring& line, size_t& pos)
{
    while (pos < line.size() && line[pos] != L' ')
        ++pos;
}

}  // namespace

CListingParser::CListingParser() : CListingParser(Clock()) {}

CListingParser::CListingParser(long long now) : m_now(now)
{
    __time64_t zero = 0;
    const tm* start = _gmtime64(&zero);
    m_base = start ? -(Date(start->tm_year + 1900LL, start->tm_mon, start->tm_mday) + start->tm_hour * 3600LL +
                       start->tm_min * 60LL + start->tm_sec)
                   : 0;
}

long long CListingParser::Date(long long year, int month, int day)
{
    const long long m = month + 1;
    year -= m <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return (era * 146097 + dayOfEra - 719468) * kDay;
}

long long CListingParser::GuessYear(int month, int day)
{
    if (!m_yearKnown) {
        m_currentYear = YearOf(m_now - m_base);
        m_yearKnown = true;
    }
    for (long long year = m_currentYear - 1; year < m_currentYear + 100; ++year)
        if (Date(year, month, day) > m_now - m_base - kRecentPast)
            return year;
    return m_currentYear;
}

bool CListingParser::Parse(CFTPFileStatus& status, const std::wstring& line)
{
    status.Reset();
    if (line.size() < 2)
        return false;
    bool parsed = false;
    const wchar_t first = line[0];
    if (first == L'+')
        parsed = ParseEplf(status, line);
    else if (std::wstring(L"-bcdlps").find(first) != std::wstring::npos)
        parsed = ParseUnix(status, line);
    else if (line.find(L';') != std::wstring::npos)
        parsed = ParseVms(status, line);
    else if (IsDecimalDigit(first))
        parsed = ParseMsDos(status, line);
    if (!parsed)
        status.Reset();
    return parsed;
}

bool CListingParser::ParseEplf(CFTPFileStatus& status, const std::wstring& line) const
{
    size_t pos = 1;
    while (pos < line.size()) {
        const size_t end = line.find_first_of(L",\t", pos);
        if (end == std::wstring::npos)
            return false;
        const std::wstring fact = line.substr(pos, end - pos);
        if (!fact.empty()) {
            const std::wstring value = fact.substr(1);
            long long number;
            switch (fact[0]) {
            case L'/':
                status.tryCWD = true;
                break;
            case L'r':
                status.tryRETR = true;
                break;
            case L's':
                status.sizeType = CFTPFileStatus::SizeType::Binary;
                status.size = WholeNumber(value, number) ? number : -1;
                break;
            case L'm':
                if (WholeNumber(value, number)) {
                    status.mtimeType = CFTPFileStatus::MTimeType::Exact;
                    status.mtime = m_base + number;
                }
                break;
            case L'i':
                status.idType = CFTPFileStatus::IdType::Full;
                status.id = value;
                break;
            default:
                break;
            }
        }
        if (line[end] == L'\t') {
            status.name = line.substr(end + 1);
            return true;
        }
        pos = end + 1;
    }
    return false;
}

bool CListingParser::ParseUnix(CFTPFileStatus& status, const std::wstring& line)
{
    switch (line[0]) {
    case L'd':
        status.tryCWD = true;
        break;
    case L'-':
        status.tryRETR = true;
        break;
    case L'l':
        status.tryCWD = status.tryRETR = true;
        break;
    default:
        break;
    }

    int state = 1;
    int month = 0;
    int day = 0;
    size_t pos = 0;
    while (state != 8) {
        const size_t end = line.find(L' ', pos);
        if (end == std::wstring::npos)
            return false;
        const std::wstring field = line.substr(pos, end - pos);
        long long number;
        switch (state) {
        case 1:
            status.attributes = field;
            state = 2;
            break;
        case 2:
            status.linkCount = field;
            state = field.size() == 6 && field[0] == L'f' ? 4 : 3;
            break;
        case 3:
            status.owner = field;
            state = 4;
            break;
        case 4:
            if (WholeNumber(field, number)) {
                status.size = number;
            } else {
                status.group = field;
                status.size = -1;
            }
            state = 5;
            break;
        case 5:
            month = MonthOf(field);
            if (month >= 0)
                state = 6;
            else
                status.size = WholeNumber(field, number) ? number : -1;
            break;
        case 6:
            day = static_cast<int>(LeadingNumber(field));
            state = 7;
            break;
        case 7: {
            long long timeOfDay;
            if (TimeOfDay(field, timeOfDay)) {
                status.mtimeType = CFTPFileStatus::MTimeType::RemoteMinute;
                status.mtime = Date(GuessYear(month, day), month, day) + timeOfDay;
            } else if (field.size() >= 4) {
                status.mtimeType = CFTPFileStatus::MTimeType::RemoteDay;
                status.mtime = Date(LeadingNumber(field), month, day);
            } else {
                return false;
            }
            status.name = line.substr(end + 1);
            state = 8;
            continue;
        }
        }
        pos = end;
        SkipSpaces(line, pos);
    }

    status.sizeType = CFTPFileStatus::SizeType::Binary;
    if (line[0] == L'l') {
        const size_t arrow = status.name.find(L" -> ");
        if (arrow != std::wstring::npos)
            status.name.erase(arrow);
    }
    if ((line[1] == L' ' || line[1] == L'[') && status.name.size() >= 4 && status.name.compare(0, 3, L"   ") == 0)
        status.name.erase(0, 3);
    return true;
}

bool CListingParser::ParseVms(CFTPFileStatus& status, const std::wstring& line) const
{
    size_t pos = 0;
    std::wstring name;
    if (!Until(line, pos, L';', name))
        return false;
    if (name.size() >= 5 && name.compare(name.size() - 4, 4, L".DIR") == 0) {
        name.erase(name.size() - 4);
        status.tryCWD = true;
    } else {
        status.tryRETR = true;
    }
    status.name = name;

    SkipField(line, pos);
    SkipSpaces(line, pos);
    SkipField(line, pos);
    SkipSpaces(line, pos);
    std::wstring day, monthName, year, hour, minute;
    if (!Until(line, pos, L'-', day) || !Until(line, pos, L'-', monthName) || !Until(line, pos, L' ', year) ||
        !Until(line, pos, L':', hour))
        return false;
    const int month = MonthOf(monthName);
    if (month < 0)
        return false;
    const size_t minuteEnd = line.find_first_of(L": ", pos);
    if (minuteEnd == std::wstring::npos)
        return false;
    minute = line.substr(pos, minuteEnd - pos);
    status.mtimeType = CFTPFileStatus::MTimeType::RemoteMinute;
    status.mtime = Date(LeadingNumber(year), month, static_cast<int>(LeadingNumber(day))) +
                   LeadingNumber(hour) * 3600 + LeadingNumber(minute) * 60;
    return true;
}

bool CListingParser::ParseMsDos(CFTPFileStatus& status, const std::wstring& line) const
{
    size_t pos = 0;
    std::wstring monthText, dayText, yearText, hourText;
    if (!Until(line, pos, L'-', monthText) || !Until(line, pos, L'-', dayText) || !Until(line, pos, L' ', yearText))
        return false;
    const long long month = LeadingNumber(monthText);
    if (month < 1 || month > 12)
        return false;
    long long year = LeadingNumber(yearText);
    if (year < 50)
        year += 2000;
    if (year < 1000)
        year += 1900;

    SkipSpaces(line, pos);
    if (!Until(line, pos, L':', hourText))
        return false;
    long long minute = 0;
    while (pos < line.size() && IsDecimalDigit(line[pos]))
        minute = minute * 10 + (line[pos++] - L'0');
    // 24-hour times without AM or PM are not this format.
    if (pos >= line.size() || (line[pos] != L'A' && line[pos] != L'P'))
        return false;
    long long hour = LeadingNumber(hourText);
    if (hour == 12)
        hour = 0;
    if (line[pos] == L'P')
        hour += 12;
    ++pos;
    if (pos < line.size() && line[pos] == L'M')
        ++pos;

    SkipSpaces(line, pos);
    const size_t fieldEnd = line.find(L' ', pos);
    if (fieldEnd == std::wstring::npos)
        return false;
    const std::wstring field = line.substr(pos, fieldEnd - pos);
    if (!field.empty() && field[0] == L'<') {
        status.tryCWD = true;
    } else {
        long long size;
        status.size = WholeNumber(field, size) ? size : -1;
        status.sizeType = CFTPFileStatus::SizeType::Binary;
        status.tryRETR = true;
    }
    pos = fieldEnd;
    SkipSpaces(line, pos);
    status.name = line.substr(pos);
    status.mtimeType = CFTPFileStatus::MTimeType::RemoteMinute;
    status.mtime = Date(year, static_cast<int>(month - 1), static_cast<int>(LeadingNumber(dayText))) +
                   hour * 3600 + minute * 60;
    return true;
}

}  // namespace nsFTP
