// The date map file as the module reads it at start-up.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "chartcontrol/DateMap.h"

namespace {

std::wstring WriteFile(const std::string& bytes)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"datemap_test_" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    FILE* file = _wfopen(path.c_str(), L"wb");
    EXPECT_NE(nullptr, file);
    if (file) {
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
    return path;
}

TEST(DateMap, LinesSplitAtTheirFirstEqualsSignAndLaterKeysWin)
{
    const std::wstring path = WriteFile("Jan=JAN\r\nFeb=\r\n=X\nno separator\r\na=b=c\r\nJan=Janv.\r\n\xE9t\xE9=summer");
    DateMap map;
    map[L"stale"] = L"gone";
    LoadDateMap(path, map);
    const DateMap expected = {{L"Jan", L"Janv."}, {L"Feb", L""}, {L"", L"X"}, {L"a", L"b=c"}, {L"\u00e9t\u00e9", L"summer"}};
    EXPECT_EQ(expected, map);
    DeleteFileW(path.c_str());
}

TEST(DateMap, ALongLineIsReadInPiecesAndAMissingFileGivesNothing)
{
    // 1023 bytes make one piece: the rest of the line is a line of its own.
    const std::string key(1000, 'k');
    const std::wstring path = WriteFile(key + "=" + std::string(22, 'v') + "tail=end\r\n");
    DateMap map;
    LoadDateMap(path, map);
    ASSERT_EQ(2u, map.size());
    EXPECT_EQ(std::wstring(22, L'v'), map[std::wstring(1000, L'k')]);
    EXPECT_EQ(L"end", map[L"tail"]);
    DeleteFileW(path.c_str());

    map[L"stale"] = L"gone";
    LoadDateMap(L"Z:\\no\\such\\datemap.txt", map);
    EXPECT_TRUE(map.empty());
}

TEST(DateMap, EntriesReplaceInKeyOrderAndAngleBracketsGo)
{
    struct Case { DateMap map; const wchar_t* text; const wchar_t* expected; };
    const Case cases[] = {
        {{{L"Jan", L"JAN"}, {L"x", L""}}, L"15 Jan 2010", L"15 JAN 2010"},
        {{{L"a", L""}}, L"a banana", L" bnn"},
        {{{L"<b>", L"B"}, {L"B", L"b"}}, L"<b>x", L"bx"},  // "<b>" sorts first, its value is then mapped again
        {{{L"", L"X"}}, L"Mar", L"Mar"},                    // an empty key would never advance
        {{{L"a", L"aa"}}, L"aba", L"aabaa"},                // nor may a value holding its key
        {{}, L"<12> Mar", L"12 Mar"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ApplyDateMap(c.text, c.map)) << c.text;
}

} // namespace
