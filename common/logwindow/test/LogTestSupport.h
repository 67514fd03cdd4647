#pragma once
// The log page's text rule written the plain way: rewrite the whole text.

#include <string>

inline std::wstring RewrittenLog(std::wstring text, const std::wstring& line, size_t limit)
{
    if (!text.empty()) text += L"\r\n";
    text += line;
    while (text.size() > limit) {
        const size_t lineEnd = text.find(L"\r\n");
        if (lineEnd == std::wstring::npos) break;
        text.erase(0, lineEnd + 2);
    }
    return text;
}
