#include "motion/codec/RecordFramer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes B(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

std::vector<Bytes> FeedAll(CRecordFramer& framer, const Bytes& input)
{
    std::vector<Bytes> records;
    Bytes record;
    for (const BYTE b : input)
        if (framer.Feed(b, record))
            records.push_back(record);
    return records;
}

TEST(RecordFramer, CutsRecordsBetweenThePatterns)
{
    const struct {
        const char* what;
        const wchar_t* start;
        const wchar_t* end;
        std::string input;
        std::vector<std::string> records;
    } cases[] = {
        {"start and end", L"02", L"03", "\x02OK\x03", {"OK"}},
        {"noise outside records", L"02", L"03", "xy\x02" "A\x03zz\x02" "B\x03q", {"A", "B"}},
        {"end only: every CR ends one", L"", L"0D", "OK\rE1\r\r", {"OK", "E1", ""}},
        {"multi-byte patterns", L"AA55", L"0D0A", "\xAA\xAA\x55rec\r\n", {"rec"}},
        {"start pattern not kept", L"02", L"03", "\x02\x02x\x03", {"\x02x"}},
        {"no end pattern: no records", L"02", L"", "\x02OK\x03\r", {}},
        {"lowercase hex", L"0a", L"0d", "\nhi\r", {"hi"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CRecordFramer framer;
        ASSERT_TRUE(framer.SetPatterns(c.start, c.end));
        std::vector<Bytes> expected;
        for (const std::string& r : c.records)
            expected.push_back(B(r));
        EXPECT_EQ(FeedAll(framer, B(c.input)), expected);
    }
}

TEST(RecordFramer, StartsNotMatchingUntilPatternsAreSet)
{
    CRecordFramer framer;
    EXPECT_EQ(framer.CurrentState(), CRecordFramer::kNotMatching);
    EXPECT_TRUE(FeedAll(framer, B("\x02OK\x03\r")).empty());
}

TEST(RecordFramer, DropsARunLongerThanItsCapacity)
{
    CRecordFramer framer;
    ASSERT_TRUE(framer.SetPatterns(L"", L"0D"));
    Bytes input(CRecordFramer::kCapacity + 10, 'x');
    input.push_back('\r');
    const Bytes tail = B("ok\r");
    input.insert(input.end(), tail.begin(), tail.end());
    const std::vector<Bytes> records = FeedAll(framer, input);
    ASSERT_EQ(records.size(), 2u);
    // What was collected before the ring ran full is gone; the rest is kept.
    EXPECT_EQ(records[0], Bytes(10, 'x'));
    EXPECT_EQ(records[1], B("ok"));
}

TEST(RecordFramer, RefusesPatternTextsThatAreNotPatterns)
{
    const std::wstring longest(2 * CRecordFramer::kMaxPatternBytes, L'A');
    const struct {
        const char* what;
        std::wstring start;
        std::wstring end;
        bool accepted;
    } cases[] = {
        {"not hex", L"0G", L"03", false},
        {"odd length", L"02", L"030", false},
        {"longer than a pattern", L"02", longest + L"AA", false},
        {"longest pattern", longest, L"03", true},
        {"both empty", L"", L"", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CRecordFramer framer;
        ASSERT_TRUE(framer.SetPatterns(L"", L"0D"));
        EXPECT_EQ(framer.SetPatterns(c.start, c.end), c.accepted);
        if (!c.accepted) {
            // The earlier patterns still hold.
            EXPECT_EQ(FeedAll(framer, B("ok\r")), std::vector<Bytes>{B("ok")});
        }
    }
}

} // namespace
