#include "geometry/XmlBytes.h"

#include <climits>
#include <cstring>

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
    size = strnlen(bytes, size);
    if (size == 0 || size > INT_MAX)
        return std::wstring();
    const int length = static_cast<int>(size);
    const int needed = MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
    if (needed <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, bytes, length, &text[0], needed);
    return text;
}
