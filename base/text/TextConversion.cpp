#include "base/text/TextConversion.h"

#include <climits>

namespace {

// The system converter counts in int.
bool Countable(size_t size)
{
    return size <= static_cast<size_t>(INT_MAX);
}

// UTF-8 and UTF-7 take no default character; the others report its use.
bool ReportsDefaultCharacter(UINT codePage)
{
    return codePage != CP_UTF8 && codePage != CP_UTF7;
}

std::optional<std::string> ToNarrow(std::wstring_view text, UINT codePage, DWORD flags, BOOL* usedDefault)
{
    if (text.empty())
        return std::string();
    if (!Countable(text.size()))
        return std::nullopt;
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, usedDefault);
    if (size <= 0)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(size), '\0');
    if (::WideCharToMultiByte(codePage, flags, text.data(), length, &bytes[0], size, nullptr, usedDefault) != size)
        return std::nullopt;
    return bytes;
}

std::optional<std::wstring> ToWide(std::string_view bytes, UINT codePage, DWORD flags)
{
    if (bytes.empty())
        return std::wstring();
    if (!Countable(bytes.size()))
        return std::nullopt;
    const int length = static_cast<int>(bytes.size());
    const int size = ::MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    if (size <= 0)
        return std::nullopt;
    std::wstring text(static_cast<size_t>(size), L'\0');
    if (::MultiByteToWideChar(codePage, flags, bytes.data(), length, &text[0], size) != size)
        return std::nullopt;
    return text;
}

}  // namespace

std::string WideToNarrow(std::wstring_view text, UINT codePage)
{
    return ToNarrow(text, codePage, 0, nullptr).value_or(std::string());
}

std::wstring NarrowToWide(std::string_view bytes, UINT codePage)
{
    return ToWide(bytes, codePage, 0).value_or(std::wstring());
}

std::optional<std::string> ExactWideToNarrow(std::wstring_view text, UINT codePage)
{
    if (!ReportsDefaultCharacter(codePage))
        return ToNarrow(text, codePage, codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0, nullptr);
    BOOL usedDefault = FALSE;
    std::optional<std::string> bytes = ToNarrow(text, codePage, WC_NO_BEST_FIT_CHARS, &usedDefault);
    if (usedDefault)
        return std::nullopt;
    return bytes;
}

std::optional<std::wstring> ExactNarrowToWide(std::string_view bytes, UINT codePage)
{
    return ToWide(bytes, codePage, MB_ERR_INVALID_CHARS);
}
