#include "common/providerwire/ProviderFrame.h"

#include "common/xml/XmlParse.h"

#include <cwchar>
#include <utility>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// The value of each hex digit the frame may hold, by byte; -1 for any other.
struct HexDigitValues {
    signed char value[256];
    constexpr HexDigitValues() : value()
    {
        for (int c = 0; c < 256; ++c)
            value[c] = -1;
        for (int digit = 0; digit < 16; ++digit)
            value[static_cast<unsigned char>(kHexDigits[digit])] = static_cast<signed char>(digit);
    }
    int operator()(char c) const { return value[static_cast<unsigned char>(c)]; }
};
constexpr HexDigitValues kHexDigitValue;

// The reader's time grows with the square of an attribute value that holds
// a reference (a megabyte of them takes seconds): a value longer than this
// that holds one is refused before parsing. Our own writer escapes only
// quotes, "&", "<", ">" and line breaks in values.
constexpr size_t kMaxReferencedValueUnits = 16384;

bool HoldsSlowAttributeValue(const std::wstring& text)
{
    // No reference anywhere (the usual reply) spares the walk.
    if (text.find(L'&') == std::wstring::npos)
        return false;
    enum class State { Content, Tag, Value } state = State::Content;
    wchar_t quote = 0;
    size_t valueStart = 0;
    bool referenced = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        switch (state) {
        case State::Content:
            if (c != L'<')
                break;
            // Sections in which quotes and "<" are plain characters.
            for (const auto& section : {std::make_pair(L"<![CDATA[", L"]]>"), std::make_pair(L"<!--", L"-->"),
                                        std::make_pair(L"<?", L"?>")}) {
                if (text.compare(i, wcslen(section.first), section.first) == 0) {
                    const size_t end = text.find(section.second, i + wcslen(section.first));
                    if (end == std::wstring::npos)
                        return false;   // not well formed: the reader stops there
                    i = end + wcslen(section.second) - 1;
                    break;
                }
            }
            if (text[i] == L'<')
                state = State::Tag;
            break;
        case State::Tag:
            if (c == L'"' || c == L'\'') {
                state = State::Value;
                quote = c;
                valueStart = i;
                referenced = false;
            } else if (c == L'>') {
                state = State::Content;
            }
            break;
        case State::Value:
            if (c == quote)
                state = State::Tag;
            else if (c == L'&')
                referenced = true;
            if (referenced && i - valueStart > kMaxReferencedValueUnits)
                return true;
            break;
        }
    }
    return false;
}

}  // namespace

std::string EncodeProviderFrame(const std::wstring& text)
{
    std::string frame;
    frame.reserve(text.size() * 4 + 2);
    frame += '<';
    for (wchar_t c : text) {
        const unsigned unit = static_cast<unsigned short>(c);
        frame += kHexDigits[(unit >> 12) & 0xF];
        frame += kHexDigits[(unit >> 8) & 0xF];
        frame += kHexDigits[(unit >> 4) & 0xF];
        frame += kHexDigits[unit & 0xF];
    }
    frame += '>';
    return frame;
}

bool DecodeProviderPayload(const char* payload, size_t length, std::wstring& text)
{
    if (length % 4 != 0 || (length != 0 && !payload))
        return false;
    // Written in place: appending unit by unit costs a check of the size each time.
    std::wstring decoded(length / 4, L'\0');
    for (size_t i = 0; i < decoded.size(); ++i) {
        const char* digits = payload + i * 4;
        const int high = kHexDigitValue(digits[0]);
        const int upper = kHexDigitValue(digits[1]);
        const int lower = kHexDigitValue(digits[2]);
        const int low = kHexDigitValue(digits[3]);
        if ((high | upper | lower | low) < 0)
            return false;
        decoded[i] = static_cast<wchar_t>((high << 12) | (upper << 8) | (lower << 4) | low);
    }
    text = std::move(decoded);
    return true;
}

CXmlNodePtr ParseProviderPayload(const char* payload, size_t length)
{
    std::wstring text;
    if (!DecodeProviderPayload(payload, length, text) || HoldsSlowAttributeValue(text))
        return nullptr;
    CXmlNodePtr container;
    if (ParseXmlText(text, container) != S_OK)
        return nullptr;
    return container;
}
