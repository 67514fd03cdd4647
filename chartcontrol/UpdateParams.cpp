#include "chartcontrol/UpdateParams.h"

void ParseUpdateParams(const wchar_t* text, UpdateParams& params)
{
    if (!text)
        return;
    const std::wstring all(text);
    size_t start = 0;
    while (start <= all.size()) {
        const size_t amp = all.find(L'&', start);
        const std::wstring pair = all.substr(start, amp == std::wstring::npos ? std::wstring::npos : amp - start);
        const size_t equals = pair.find(L'=');
        if (equals != std::wstring::npos)
            params.emplace(LowerAscii(pair.substr(0, equals)), pair.substr(equals + 1));
        if (amp == std::wstring::npos)
            break;
        start = amp + 1;
    }
}

std::wstring LowerAscii(std::wstring text)
{
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

const std::wstring* FindParam(const UpdateParams& params, const std::wstring& key)
{
    const auto found = params.find(key);
    return found == params.end() ? nullptr : &found->second;
}
