#include "common/logwindow/LogText.h"

#include <algorithm>

LogAppendEdit PlanLogAppend(const std::wstring& current, const std::wstring& addition, size_t limit)
{
    const std::wstring combined = current + addition;
    if (combined.size() <= limit) return {0, addition};

    // Dropping line after line stops at the first line end after which at
    // most `limit` characters remain, or after the last line end there is.
    const size_t excess = combined.size() - limit;
    size_t cut = 0;
    const size_t found = combined.find(L"\r\n", excess >= 2 ? excess - 2 : 0);
    if (found != std::wstring::npos) {
        cut = found + 2;
    } else {
        const size_t last = combined.rfind(L"\r\n");
        cut = last == std::wstring::npos ? 0 : last + 2;
    }
    LogAppendEdit edit;
    edit.removeFromStart = std::min(cut, current.size());
    edit.append = addition.substr(cut > current.size() ? cut - current.size() : 0);
    return edit;
}
