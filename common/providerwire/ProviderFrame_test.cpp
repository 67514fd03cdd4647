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

TEST(ProviderFrame, AnAttributeValueTooCostlyToReadIsRefusedBeforeParsing)
{
    const std::wstring plain(20000, L'x');
    std::wstring referenced = plain;
    referenced.replace(10000, 1, L"&amp;");
    std::wstring referencedWithGt = referenced;
    referencedWithGt.replace(100, 1, L">");
    struct Case { const char* what; std::wstring text; bool parses; };
    const Case cases[] = {
        {"long value without reference", L"<r v=\"" + plain + L"\"/>", true},
        {"short value with references", L"<r v=\"a&amp;b&#10;c\" w='&lt;'/>", true},
        {"long value with a reference", L"<r v=\"" + referenced + L"\"/>", false},
        {"in single quotes", L"<r v='" + referenced + L"'/>", false},
        {"a > inside the value", L"<r v=\"" + referencedWithGt + L"\"/>", false},
        {"on a later element", L"<r a=\"1\">\r\n<e v=\"" + referenced + L"\"/>\r\n</r>", false},
        {"long text with a reference", L"<r>" + referenced + L"</r>", true},
        {"long CDATA with quotes and &", L"<r><![CDATA[\"" + plain + L"&\"]]></r>", true},
        {"quotes in a comment", L"<r><!-- \" --><e v=\"" + plain + L"\"/></r>", true},
    };
    for (const Case& c : cases) {
        const std::string frame = EncodeProviderFrame(c.text);
        EXPECT_EQ(c.parses, static_cast<bool>(ParseProviderPayload(frame.data() + 1, frame.size() - 2))) << c.what;
    }
}
