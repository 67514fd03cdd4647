#include "textvote/vote/VoteQuery.h"

#include "chartcontrol/ChartScene.h"
#include "base/text/TextConversion.h"
#include "base/text/WideFormat.h"

std::wstring CleanServiceUrl(const std::wstring& url)
{
    std::wstring cleaned = TrimWhiteSpace(url);
    if (!cleaned.empty() && cleaned.back() == L'\\')
        cleaned.pop_back();
    return cleaned;
}

std::wstring PercentEncodeQueryValue(const std::wstring& value)
{
    std::wstring encoded;
    for (const char byte : WideToNarrow(value, CP_UTF8)) {
        const unsigned char b = static_cast<unsigned char>(byte);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
            b == '_' || b == '~')
            encoded += static_cast<wchar_t>(b);
        else
            encoded += FormatWide(L"%%%02X", b);
    }
    return encoded;
}

std::wstring BuildVoteQuery(const std::wstring& url, const std::wstring& campaignId, const SYSTEMTIME& start,
                            bool reverseSort, long tick)
{
    return CleanServiceUrl(url) + L"/listtextmsgstats.php?campaignid=" + PercentEncodeQueryValue(campaignId) +
           FormatWide(L"&starttime=%04u%02u%02u%02u%02u%02u", start.wYear, start.wMonth, start.wDay, start.wHour,
                      start.wMinute, start.wSecond) +
           L"&endtime=20991231235959&maxvotes=all&reversesort=" + (reverseSort ? L"true" : L"false") +
           FormatWide(L"&unique=%ld", tick);
}
