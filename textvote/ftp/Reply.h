#pragma once
// One server reply: its text (the lines of a multi-line reply joined by
// CR LF) and its three-digit code, empty unless it is a valid one.

#include <string>

namespace nsFTP {

class CReply {
public:
    // Takes the code from the first three characters of the text.
    bool Set(const std::wstring& text);

    const std::wstring& Value() const { return m_text; }
    const std::wstring& Code() const { return m_code; }
    bool IsValid() const { return !m_code.empty(); }

    bool IsPositivePreliminaryReply() const { return FirstDigit() == L'1'; }
    bool IsPositiveCompletionReply() const { return FirstDigit() == L'2'; }
    bool IsPositiveIntermediateReply() const { return FirstDigit() == L'3'; }
    bool IsTransientNegativeCompletionReply() const { return FirstDigit() == L'4'; }
    bool IsPermanentNegativeCompletionReply() const { return FirstDigit() == L'5'; }
    bool IsNegativeReply() const { return IsTransientNegativeCompletionReply() || IsPermanentNegativeCompletionReply(); }

private:
    wchar_t FirstDigit() const { return m_code.empty() ? L'\0' : m_code[0]; }

    std::wstring m_text;
    std::wstring m_code;
};

}  // namespace nsFTP
