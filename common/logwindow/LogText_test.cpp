#include "common/logwindow/LogText.h"

#include "common/logwindow/test/LogTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::wstring Apply(const std::wstring& current, const std::wstring& line, size_t limit)
{
    const std::wstring addition = current.empty() ? line : L"\r\n" + line;
    const LogAppendEdit edit = PlanLogAppend(current, addition, limit);
    return current.substr(edit.removeFromStart) + edit.append;
}

TEST(LogText, EditingInPlaceGivesTheRewrittenText)
{
    const struct {
        const wchar_t* current;
        const wchar_t* line;
        size_t limit;
    } cases[] = {
        {L"", L"first", 20},
        {L"one\r\ntwo", L"three", 20},                 // fits
        {L"one\r\ntwo\r\nthree", L"four", 15},         // drops "one\r\n"
        {L"one\r\ntwo\r\nthree", L"four-five-six", 15}, // drops two lines
        {L"0123456789012345", L"abc", 10},             // the old line goes, the separator with it
        {L"", L"a line longer than the limit", 10},    // stays whole
        {L"short", L"a line longer than the limit", 10},
        {L"x\r\ny", L"with\r\ninner\r\nbreaks", 12},   // cut inside the new text
        {L"a\r\nb\r\nc", L"d", 3},
        {L"ends with cr\r", L"n", 12},
        {L"\r\n\r\n\r\n", L"", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Apply(c.current, c.line, c.limit), RewrittenLog(c.current, c.line, c.limit))
            << "current: " << testing::PrintToString(std::wstring(c.current)) << " line: " << c.line;
}

TEST(LogText, NearTheLimitOnlyTheOldestLinesGo)
{
    // 199,990 characters in lines of 100 (98 characters and a line end).
    std::wstring current;
    while (current.size() + 100 <= 199990) current += std::wstring(98, L'a') + L"\r\n";
    current += std::wstring(199990 - current.size(), L'b');
    const std::wstring line(20, L'n');
    const LogAppendEdit edit = PlanLogAppend(current, L"\r\n" + line);
    EXPECT_EQ(edit.removeFromStart, 100u);
    EXPECT_EQ(edit.append, L"\r\n" + line);
    EXPECT_EQ(Apply(current, line, kMaxLogCharacters), RewrittenLog(current, line, kMaxLogCharacters));
}

} // namespace
