#include "common/providerwire/ProviderFrame.h"

#include "common/xml/XmlParse.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
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
    std::wstring decoded;
    decoded.reserve(length / 4);
    for (size_t i = 0; i < length; i += 4) {
        unsigned unit = 0;
        for (size_t j = 0; j < 4; ++j) {
            const int digit = HexDigitValue(payload[i + j]);
            if (digit < 0)
                return false;
            unit = unit * 16 + static_cast<unsigned>(digit);
        }
        decoded += static_cast<wchar_t>(unit);
    }
    text = std::move(decoded);
    return true;
}

CXmlNodePtr ParseProviderPayload(const char* payload, size_t length)
{
    std::wstring text;
    if (!DecodeProviderPayload(payload, length, text))
        return nullptr;
    CXmlNodePtr container;
    if (ParseXmlText(text, container) != S_OK)
        return nullptr;
    return container;
}
