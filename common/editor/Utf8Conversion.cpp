#include "common/editor/Utf8Conversion.h"

#include <windows.h>

namespace {

// For a terminated input the converter counts the terminator too.
int WrittenLength(int written, int count)
{
    if (count != -1) return written;
    return written > 0 ? written - 1 : 0;
}

} // namespace

int Utf16ToUtf8(const wchar_t* text, int count, std::unique_ptr<char[]>& out)
{
    int size = text ? ::WideCharToMultiByte(CP_UTF8, 0, text, count, nullptr, 0, nullptr, nullptr) : 0;
    if (size <= 0) size = 1;
    out.reset(new char[static_cast<size_t>(size) + 1]);
    out[0] = '\0';
    const int written = text ? ::WideCharToMultiByte(CP_UTF8, 0, text, count, out.get(), size, nullptr, nullptr) : 0;
    const int length = WrittenLength(written, count);
    out[length] = '\0';
    return length;
}

int Utf8ToUtf16(const char* text, int count, std::unique_ptr<wchar_t[]>& out)
{
    int size = text ? ::MultiByteToWideChar(CP_UTF8, 0, text, count, nullptr, 0) : 0;
    if (size <= 0) size = 1;
    out.reset(new wchar_t[static_cast<size_t>(size) + 1]);
    out[0] = L'\0';
    const int written = text ? ::MultiByteToWideChar(CP_UTF8, 0, text, count, out.get(), size) : 0;
    const int length = WrittenLength(written, count);
    out[length] = L'\0';
    return length;
}
