#pragma once
// How the log page's text changes when a line is appended: the line goes at
// the end after a line break (none on an empty page), and while the text is
// longer than the limit whole oldest lines, up to and including their
// "\r\n", are dropped. A single line longer than the limit stays whole.

#include <cstddef>
#include <string>

constexpr size_t kMaxLogCharacters = 200000;

struct LogAppendEdit {
    size_t removeFromStart = 0; // characters of the current text to drop
    std::wstring append;        // then added at the end
};

// `addition` is the appended text with its leading line break, if any.
LogAppendEdit PlanLogAppend(const std::wstring& current, const std::wstring& addition,
                            size_t limit = kMaxLogCharacters);
