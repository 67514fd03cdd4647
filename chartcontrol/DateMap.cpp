#include "chartcontrol/DateMap.h"

#include <windows.h>

#include <cstdio>

#include "base/text/TextConversion.h"
#include "base/win/UniqueHandle.h"

namespace {

constexpr int kPieceBytes = 1024;  // one fgets: at most 1023 bytes and the terminator

} // namespace

void LoadDateMap(const std::wstring& path, DateMap& map)
{
    map.clear();
    UniqueStdioFile file(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return;
    char piece[kPieceBytes];
    while (fgets(piece, kPieceBytes, file.Get())) {
        std::string line(piece);
        std::string kept;
        for (char c : line)
            if (c != '\r' && c != '\n')
                kept += c;
        const size_t equals = kept.find('=');
        if (equals == std::string::npos)
            continue;
        map[NarrowToWide(kept.substr(0, equals), CP_ACP)] = NarrowToWide(kept.substr(equals + 1), CP_ACP);
    }
}

std::wstring ApplyDateMap(const std::wstring& text, const DateMap& map)
{
    std::wstring result = text;
    for (const auto& entry : map) {
        const std::wstring& key = entry.first;
        if (key.empty())
            continue;
        for (size_t at = result.find(key); at != std::wstring::npos; at = result.find(key, at + entry.second.size()))
            result.replace(at, key.size(), entry.second);
    }
    std::wstring kept;
    for (wchar_t c : result)
        if (c != L'<' && c != L'>')
            kept += c;
    return kept;
}
