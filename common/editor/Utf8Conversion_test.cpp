#include "common/editor/Utf8Conversion.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Case {
    const wchar_t* wide;
    int count;
    std::string utf8;
};

TEST(Utf8Conversion, ConvertsBothWaysAndAlwaysTerminates)
{
    const Case cases[] = {
        {L"", -1, ""},
        {L"plain", -1, "plain"},
        {L"Gr\u00fc\u00dfe \u20ac", -1, "Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac"},
        {L"\U0001F600!", -1, "\xf0\x9f\x98\x80!"},
        {L"abcdef", 3, "abc"},         // counted: only the first three
        {L"\u00e4\u00f6\u00fc", 2, "\xc3\xa4\xc3\xb6"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<char[]> bytes;
        const int length = Utf16ToUtf8(c.wide, c.count, bytes);
        EXPECT_EQ(length, static_cast<int>(c.utf8.size())) << c.utf8;
        EXPECT_EQ(std::string(bytes.get()), c.utf8) << "terminated after the converted units";

        std::unique_ptr<wchar_t[]> back;
        const int wideLength = Utf8ToUtf16(c.utf8.c_str(), -1, back);
        const std::wstring expected = c.count == -1 ? std::wstring(c.wide) : std::wstring(c.wide, static_cast<size_t>(c.count));
        EXPECT_EQ(std::wstring(back.get()), expected);
        EXPECT_EQ(wideLength, static_cast<int>(expected.size()));
    }
}

TEST(Utf8Conversion, NullInputGivesAnEmptyText)
{
    std::unique_ptr<char[]> bytes;
    EXPECT_EQ(Utf16ToUtf8(nullptr, -1, bytes), 0);
    EXPECT_STREQ(bytes.get(), "");
    std::unique_ptr<wchar_t[]> wide;
    EXPECT_EQ(Utf8ToUtf16(nullptr, -1, wide), 0);
    EXPECT_STREQ(wide.get(), L"");
}

} // namespace
