#include "common/editor/ScintillaCtrl.h"

#include "common/editor/Utf8Conversion.h"

#include <algorithm>
#include <vector>

namespace {

// Copies at most size - 1 units and terminates, never leaving half of a
// surrogate pair at the end. Returns the units copied.
int CopyTruncated(wchar_t* buffer, int size, std::wstring_view text)
{
    if (!buffer || size <= 0) return 0;
    const int length = static_cast<int>(text.size());
    int count = std::min(length, size - 1);
    if (count > 0 && count < length && IS_HIGH_SURROGATE(text[count - 1])) --count;
    std::copy(text.data(), text.data() + count, buffer);
    buffer[count] = L'\0';
    return count;
}

sptr_t Ptr(const void* p)
{
    return reinterpret_cast<sptr_t>(p);
}

// A wide argument in the document's bytes: terminated for a count of -1,
// else exactly length bytes.
struct Utf8Argument {
    explicit Utf8Argument(const wchar_t* text, int count = -1) : length(Utf16ToUtf8(text, count, bytes)) {}
    std::unique_ptr<char[]> bytes;
    int length;
};

// The component's bytes as wide text: count bytes, or up to the terminator for -1.
std::wstring WideAnswer(const char* bytes, int count)
{
    std::unique_ptr<wchar_t[]> wide;
    const int length = Utf8ToUtf16(bytes, count, wide);
    return std::wstring(wide.get(), static_cast<size_t>(length));
}

// A byte buffer for a component answer of length bytes, with room for its
// terminator and one more 0 should the component write none.
std::vector<char> AnswerBuffer(sptr_t length)
{
    return std::vector<char>(static_cast<size_t>(std::max<sptr_t>(length, 0)) + 2, '\0');
}

} // namespace

BOOL CScintillaCtrl::CreateCtrl(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle, void* param)
{
    if (!CreateEx(exStyle, L"scintilla", nullptr, style, rect, parent, id, param)) return FALSE;
    m_directFunction = reinterpret_cast<SciFnDirect>(Call(SciMessage::GetDirectFunction, 0, 0, false));
    m_directPointer = Call(SciMessage::GetDirectPointer, 0, 0, false);
    SetCodePage(SC_CP_UTF8);
    return TRUE;
}

BOOL CScintillaCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateCtrl(style, rect, parent, id);
}

sptr_t CScintillaCtrl::Call(unsigned message, uptr_t wParam, sptr_t lParam, bool direct)
{
    if (!GetSafeHwnd()) return 0;
    if (direct && m_directFunction) return m_directFunction(m_directPointer, message, wParam, lParam);
    return static_cast<sptr_t>(::SendMessageW(GetSafeHwnd(), message, wParam, lParam));
}

sptr_t CScintillaCtrl::CallWithText(unsigned message, uptr_t wParam, const wchar_t* text, bool direct)
{
    const Utf8Argument bytes(text);
    return Call(message, wParam, Ptr(bytes.bytes.get()), direct);
}

sptr_t CScintillaCtrl::CallWithCountedText(unsigned message, int length, const wchar_t* text, bool direct)
{
    const Utf8Argument bytes(text, length);
    return Call(message, static_cast<uptr_t>(bytes.length), Ptr(bytes.bytes.get()), direct);
}

void CScintillaCtrl::SetProperty(const wchar_t* key, const wchar_t* value, bool direct)
{
    const Utf8Argument keyBytes(key);
    const Utf8Argument valueBytes(value);
    Call(SciMessage::SetProperty, static_cast<uptr_t>(Ptr(keyBytes.bytes.get())), Ptr(valueBytes.bytes.get()), direct);
}

int CScintillaCtrl::GetPropertyInt(const wchar_t* key, bool direct)
{
    const Utf8Argument keyBytes(key);
    return static_cast<int>(Call(SciMessage::GetPropertyInt, static_cast<uptr_t>(Ptr(keyBytes.bytes.get())), 0, direct));
}

int CScintillaCtrl::GetWideProperty(unsigned message, const wchar_t* key, wchar_t* buffer, int size, bool direct)
{
    const Utf8Argument keyBytes(key);
    const uptr_t keyArg = static_cast<uptr_t>(Ptr(keyBytes.bytes.get()));
    const sptr_t byteLength = Call(message, keyArg, 0, direct);
    std::vector<char> bytes = AnswerBuffer(byteLength);
    if (byteLength > 0) Call(message, keyArg, Ptr(bytes.data()), direct);
    const std::wstring wide = WideAnswer(bytes.data(), static_cast<int>(std::max<sptr_t>(byteLength, 0)));
    CopyTruncated(buffer, size, wide);
    return static_cast<int>(wide.size());
}

int CScintillaCtrl::GetProperty(const wchar_t* key, wchar_t* buffer, int size, bool direct)
{
    return GetWideProperty(SciMessage::GetProperty, key, buffer, size, direct);
}

int CScintillaCtrl::GetPropertyExpanded(const wchar_t* key, wchar_t* buffer, int size, bool direct)
{
    return GetWideProperty(SciMessage::GetPropertyExpanded, key, buffer, size, direct);
}

int CScintillaCtrl::GetText(int size, wchar_t* buffer, bool direct)
{
    if (!buffer || size <= 0) return 0;
    // A character takes at most four bytes, so size - 1 characters fit.
    const int byteSize = size * 4;
    std::vector<char> bytes = AnswerBuffer(byteSize);
    Call(SciMessage::GetText, static_cast<uptr_t>(byteSize), Ptr(bytes.data()), direct);
    return CopyTruncated(buffer, size, WideAnswer(bytes.data(), -1));
}

std::wstring CScintillaCtrl::GetText(bool direct)
{
    const int length = GetTextLength(direct);
    std::vector<char> bytes = AnswerBuffer(length);
    Call(SciMessage::GetText, static_cast<uptr_t>(length) + 1, Ptr(bytes.data()), direct);
    return WideAnswer(bytes.data(), -1);
}

int CScintillaCtrl::GetCurLine(int size, wchar_t* buffer, bool direct)
{
    const sptr_t needed = Call(SciMessage::GetCurLine, 0, 0, direct);
    std::vector<char> bytes = AnswerBuffer(needed);
    const int result = static_cast<int>(Call(SciMessage::GetCurLine, bytes.size() - 1, Ptr(bytes.data()), direct));
    const std::wstring wide = WideAnswer(bytes.data(), -1);
    if (!buffer) return static_cast<int>(wide.size()) + 1;
    CopyTruncated(buffer, size, wide);
    return result;
}

int CScintillaCtrl::GetLine(int line, wchar_t* buffer, bool direct)
{
    return buffer ? GetLine(line, buffer, static_cast<int>(buffer[0]), direct) : 0;
}

int CScintillaCtrl::GetLine(int line, wchar_t* buffer, int size, bool direct)
{
    const sptr_t byteLength = Call(SciMessage::GetLine, static_cast<uptr_t>(line), 0, direct);
    std::vector<char> bytes = AnswerBuffer(byteLength);
    if (byteLength > 0) Call(SciMessage::GetLine, static_cast<uptr_t>(line), Ptr(bytes.data()), direct);
    // The component terminates no line it gives.
    const std::wstring wide = WideAnswer(bytes.data(), static_cast<int>(std::max<sptr_t>(byteLength, 0)));
    CopyTruncated(buffer, size, wide);
    return static_cast<int>(wide.size());
}

std::wstring CScintillaCtrl::GetSelText(bool direct)
{
    const sptr_t start = GetSelectionStart(direct);
    const sptr_t end = GetSelectionEnd(direct);
    std::vector<char> bytes = AnswerBuffer(end - start);
    Call(SciMessage::GetSelText, 0, Ptr(bytes.data()), direct);
    return WideAnswer(bytes.data(), -1);
}

int CScintillaCtrl::GetSelText(wchar_t* buffer, bool direct)
{
    const sptr_t start = GetSelectionStart(direct);
    const sptr_t end = GetSelectionEnd(direct);
    const std::wstring text = GetSelText(direct);
    CopyTruncated(buffer, static_cast<int>(std::max<sptr_t>(end - start, 0)) + 1, text);
    return static_cast<int>(text.size());
}
