#include "common/editor/Utf8Conversion.h"

#include <windows.h>

namespace {

// convert(text, count, buffer, size) is the system converter: with no buffer
// it gives the size needed, with one the units written.
template <class From, class To, class Convert>
int ConvertAllocated(const From* text, int count, std::unique_ptr<To[]>& out, Convert convert)
{
    int size = text ? convert(text, count, nullptr, 0) : 0;
    if (size <= 0) size = 1;
    out = std::make_unique<To[]>(static_cast<size_t>(size));
    out[0] = 0;
    const int written = text ? convert(text, count, out.get(), size) : 0;
    if (count != -1) return written;
    return written > 0 ? written - 1 : 0;
}

} // namespace

int Utf16ToUtf8(const wchar_t* text, int count, std::unique_ptr<char[]>& out)
{
    return ConvertAllocated(text, count, out, [](const wchar_t* from, int units, char* to, int size) {
        return ::WideCharToMultiByte(CP_UTF8, 0, from, units, to, size, nullptr, nullptr);
    });
}

int Utf8ToUtf16(const char* text, int count, std::unique_ptr<wchar_t[]>& out)
{
    return ConvertAllocated(text, count, out, [](const char* from, int units, wchar_t* to, int size) {
        return ::MultiByteToWideChar(CP_UTF8, 0, from, units, to, size);
    });
}
