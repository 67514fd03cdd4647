#include "geometry/XmlBytes.h"

#include <cstring>

#include "base/text/TextConversion.h"

std::wstring DecodeXmlBytes(const char* bytes, size_t size, UINT codePage)
{
    if (!bytes)
        return std::wstring();
    if (size >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text((size - 2) / sizeof(wchar_t), L'\0');
        if (!text.empty())
            memcpy(&text[0], bytes + 2, text.size() * sizeof(wchar_t));
        text.resize(wcsnlen(text.c_str(), text.size()));
        return text;
    }
    return NarrowToWide(std::string_view(bytes, strnlen(bytes, size)), codePage);
}
