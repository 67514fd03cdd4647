#include "common/providerwire/ProviderFrame.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ProviderFrame, EncodesEveryUnitAsFourUpperCaseDigits)
{
    EXPECT_EQ("<>", EncodeProviderFrame(L""));
    EXPECT_EQ("<003C0041000D000AFFFF00E9>", EncodeProviderFrame(L"<A\r\n\xFFFF\x00E9"));
}

TEST(ProviderFrame, PayloadDecodesOnlyWholeUpperCaseUnits)
{
    struct Case { const char* payload; bool decodes; const wchar_t* text; };
    const Case cases[] = {
        {"", true, L""},
        {"0041", true, L"A"},
        {"003C00720020003E", true, L"<r >"},
        {"FFFF0000ABCD", true, L"\xFFFF\0\xABCD"},
        {"004", false, nullptr},        // a trailing partial unit
        {"00410", false, nullptr},
        {"003c", false, nullptr},       // lower case is not part of the format
        {"00G1", false, nullptr},
        {"00 1", false, nullptr},
        {"-041", false, nullptr},
    };
    for (const Case& c : cases) {
        std::wstring text = L"untouched";
        const size_t length = strlen(c.payload);
        EXPECT_EQ(c.decodes, DecodeProviderPayload(c.payload, length, text)) << c.payload;
        const std::wstring expected = c.decodes ? std::wstring(c.text, length / 4) : L"untouched";
        EXPECT_EQ(expected, text) << c.payload;
    }
}
