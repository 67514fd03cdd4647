#include "common/editor/Utf8Conversion.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(Utf8Conversion, WideToUtf8CountsWhatItWrote)
{
    const struct {
        const wchar_t* text;
        int count;
        std::string bytes; // what is written, terminator included when one is
        int result;
    } cases[] = {
        {L"a\u00e9\u20ac", -1, std::string("a\xC3\xA9\xE2\x82\xAC", 7), 6},
        {L"a\u00e9\u20ac", 2, "a\xC3\xA9", 3},
        {L"", -1, std::string(1, '\0'), 0},
        {L"abc", 0, std::string(1, '\0'), 0}, // nothing to convert: one unit holding 0
        {nullptr, -1, std::string(1, '\0'), 0},
    };
    for (const auto& c : cases) {
        std::unique_ptr<char[]> out;
        EXPECT_EQ(Utf16ToUtf8(c.text, c.count, out), c.result) << c.count;
        ASSERT_TRUE(out);
        EXPECT_EQ(std::string(out.get(), c.bytes.size()), c.bytes) << c.count;
    }
}

TEST(Utf8Conversion, Utf8ToWideCountsWhatItWrote)
{
    const struct {
        const char* text;
        int count;
        std::wstring units;
        int result;
    } cases[] = {
        {"a\xC3\xA9\xF0\x9F\x98\x80", -1, std::wstring(L"a\u00e9\U0001F600\0", 5), 4},
        {"a\xC3\xA9\xF0\x9F\x98\x80", 3, L"a\u00e9", 2},
        {"", -1, std::wstring(1, L'\0'), 0},
        {"abc", 0, std::wstring(1, L'\0'), 0},
        {nullptr, -1, std::wstring(1, L'\0'), 0},
    };
    for (const auto& c : cases) {
        std::unique_ptr<wchar_t[]> out;
        EXPECT_EQ(Utf8ToUtf16(c.text, c.count, out), c.result) << c.count;
        ASSERT_TRUE(out);
        EXPECT_EQ(std::wstring(out.get(), c.units.size()), c.units) << c.count;
    }
}

} // namespace
