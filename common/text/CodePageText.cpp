#include "common/text/CodePageText.h"

namespace {

bool IsUtf8(UINT codePage)
{
    return codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8);
}

}  // namespace

bool ToCodePageExactly(const std::wstring& text, std::string& out, UINT codePage)
{
    if (text.empty()) {
        out.clear();
        return true;
    }
    // UTF-8 takes neither the best-fit flag nor the default-character test.
    const bool utf8 = IsUtf8(codePage);
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr,
                                         utf8 ? nullptr : &usedDefault);
    if (size <= 0 || usedDefault)
        return false;
    std::string narrow(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(codePage, flags, text.data(), length, &narrow[0], size,
                            nullptr, utf8 ? nullptr : &usedDefault) != size ||
        usedDefault)
        return false;
    // A converter that maps look-alikes without saying so is caught here.
    if (FromCodePage(narrow, codePage) != text)
        return false;
    out = std::move(narrow);
    return true;
}

std::wstring FromCodePage(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return std::wstring();
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, &wide[0], size);
    return wide;
}
