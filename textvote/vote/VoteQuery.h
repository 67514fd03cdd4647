#pragma once
// The address of the vote service's statistics page for one campaign since
// the Start click.

#include <windows.h>

#include <string>

// White space trimmed from both ends first, then one trailing backslash
// dropped, so "http://h\ " loses both. A trailing slash stays.
std::wstring CleanServiceUrl(const std::wstring& url);

// Every byte of the text's UTF-8 form except letters, digits and "-._~" as
// "%XX", so a value cannot start another query field.
std::wstring PercentEncodeQueryValue(const std::wstring& value);

// url (cleaned) + "/listtextmsgstats.php?campaignid=" ... "&unique=<tick>".
// The end time lies far ahead, so every vote since the start counts.
std::wstring BuildVoteQuery(const std::wstring& url, const std::wstring& campaignId, const SYSTEMTIME& start,
                            bool reverseSort, long tick);
