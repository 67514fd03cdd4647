#include "common/editor/ScintillaCtrl.h"

#include "base/text/TextConversion.h"

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

// The component's text is UTF-8. A null text is empty; a length of -1 means
// up to the terminator.
std::string Utf8Argument(const wchar_t* text, int length = -1)
{
    if (!text || length < -1) return {};
    return WideToNarrow(length == -1 ? std::wstring_view(text) : std::wstring_view(text, static_cast<size_t>(length)),
                        CP_UTF8);
}

std::wstring WideAnswer(const std::vector<char>& bytes, int byteLength)
{
    return NarrowToWide(std::string_view(bytes.data(), static_cast<size_t>(std::max(byteLength, 0))), CP_UTF8);
}

// Up to the terminator the component wrote.
std::wstring WideAnswer(const std::vector<char>& bytes)
{
    return NarrowToWide(bytes.data(), CP_UTF8);
}

} // namespace

BOOL CScintillaCtrl::CreateCtrl(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle, void* param)
{
    if (!CreateEx(exStyle, L"scintilla", nullptr, style, rect, parent, id, param)) return FALSE;
    m_directFunction = reinterpret_cast<SciFnDirect>(Call(SCI_GETDIRECTFUNCTION, 0, 0, false));
    m_directPointer = Call(SCI_GETDIRECTPOINTER, 0, 0, false);
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

// Byte text members.

void CScintillaCtrl::AddText(int length, const char* text, bool direct) { Call(SCI_ADDTEXT, length, Ptr(text), direct); }
void CScintillaCtrl::InsertText(sptr_t position, const char* text, bool direct) { Call(SCI_INSERTTEXT, position, Ptr(text), direct); }
void CScintillaCtrl::AppendText(int length, const char* text, bool direct) { Call(SCI_APPENDTEXT, length, Ptr(text), direct); }
void CScintillaCtrl::ClearAll(bool direct) { Call(SCI_CLEARALL, 0, 0, direct); }
void CScintillaCtrl::SetText(const char* text, bool direct) { Call(SCI_SETTEXT, 0, Ptr(text), direct); }
int CScintillaCtrl::GetText(int length, char* text, bool direct) { return static_cast<int>(Call(SCI_GETTEXT, length, Ptr(text), direct)); }
int CScintillaCtrl::GetLength(bool direct) { return static_cast<int>(Call(SCI_GETLENGTH, 0, 0, direct)); }
int CScintillaCtrl::GetTextLength(bool direct) { return static_cast<int>(Call(SCI_GETTEXTLENGTH, 0, 0, direct)); }
void CScintillaCtrl::ReplaceSel(const char* text, bool direct) { Call(SCI_REPLACESEL, 0, Ptr(text), direct); }
int CScintillaCtrl::GetSelText(char* text, bool direct) { return static_cast<int>(Call(SCI_GETSELTEXT, 0, Ptr(text), direct)); }
int CScintillaCtrl::GetCurLine(int length, char* text, bool direct) { return static_cast<int>(Call(SCI_GETCURLINE, length, Ptr(text), direct)); }
int CScintillaCtrl::GetLine(int line, char* text, bool direct) { return static_cast<int>(Call(SCI_GETLINE, line, Ptr(text), direct)); }

// Positions and lines.

sptr_t CScintillaCtrl::GetCurrentPos(bool direct) { return Call(SCI_GETCURRENTPOS, 0, 0, direct); }
void CScintillaCtrl::GotoPos(sptr_t position, bool direct) { Call(SCI_GOTOPOS, position, 0, direct); }
void CScintillaCtrl::SetSel(sptr_t anchor, sptr_t caret, bool direct) { Call(SCI_SETSEL, anchor, caret, direct); }
sptr_t CScintillaCtrl::GetSelectionStart(bool direct) { return Call(SCI_GETSELECTIONSTART, 0, 0, direct); }
sptr_t CScintillaCtrl::GetSelectionEnd(bool direct) { return Call(SCI_GETSELECTIONEND, 0, 0, direct); }
int CScintillaCtrl::GetLineCount(bool direct) { return static_cast<int>(Call(SCI_GETLINECOUNT, 0, 0, direct)); }
int CScintillaCtrl::LineFromPosition(sptr_t position, bool direct) { return static_cast<int>(Call(SCI_LINEFROMPOSITION, position, 0, direct)); }
sptr_t CScintillaCtrl::PositionFromLine(int line, bool direct) { return Call(SCI_POSITIONFROMLINE, line, 0, direct); }
int CScintillaCtrl::LineLength(int line, bool direct) { return static_cast<int>(Call(SCI_LINELENGTH, line, 0, direct)); }

// Encoding, lexer and styles.

void CScintillaCtrl::SetCodePage(int codePage, bool direct) { Call(SCI_SETCODEPAGE, codePage, 0, direct); }
int CScintillaCtrl::GetCodePage(bool direct) { return static_cast<int>(Call(SCI_GETCODEPAGE, 0, 0, direct)); }
void CScintillaCtrl::SetLexer(int lexer, bool direct) { Call(SCI_SETLEXER, lexer, 0, direct); }
int CScintillaCtrl::GetLexer(bool direct) { return static_cast<int>(Call(SCI_GETLEXER, 0, 0, direct)); }
void CScintillaCtrl::Colourise(sptr_t start, sptr_t end, bool direct) { Call(SCI_COLOURISE, start, end, direct); }
void CScintillaCtrl::SetKeyWords(int keywordSet, const char* words, bool direct) { Call(SCI_SETKEYWORDS, keywordSet, Ptr(words), direct); }
void CScintillaCtrl::SetProperty(const char* key, const char* value, bool direct) { Call(SCI_SETPROPERTY, Ptr(key), Ptr(value), direct); }
int CScintillaCtrl::GetProperty(const char* key, char* buffer, bool direct) { return static_cast<int>(Call(SCI_GETPROPERTY, Ptr(key), Ptr(buffer), direct)); }
int CScintillaCtrl::GetPropertyExpanded(const char* key, char* buffer, bool direct) { return static_cast<int>(Call(SCI_GETPROPERTYEXPANDED, Ptr(key), Ptr(buffer), direct)); }
int CScintillaCtrl::GetPropertyInt(const char* key, int defaultValue, bool direct) { return static_cast<int>(Call(SCI_GETPROPERTYINT, Ptr(key), defaultValue, direct)); }
void CScintillaCtrl::SetLexerLanguage(const char* language, bool direct) { Call(SCI_SETLEXERLANGUAGE, 0, Ptr(language), direct); }
void CScintillaCtrl::LoadLexerLibrary(const char* path, bool direct) { Call(SCI_LOADLEXERLIBRARY, 0, Ptr(path), direct); }
void CScintillaCtrl::StyleClearAll(bool direct) { Call(SCI_STYLECLEARALL, 0, 0, direct); }
void CScintillaCtrl::StyleSetFore(int style, COLORREF fore, bool direct) { Call(SCI_STYLESETFORE, style, static_cast<sptr_t>(fore), direct); }
void CScintillaCtrl::StyleSetBack(int style, COLORREF back, bool direct) { Call(SCI_STYLESETBACK, style, static_cast<sptr_t>(back), direct); }
void CScintillaCtrl::StyleSetBold(int style, bool bold, bool direct) { Call(SCI_STYLESETBOLD, style, bold, direct); }
void CScintillaCtrl::StyleSetItalic(int style, bool italic, bool direct) { Call(SCI_STYLESETITALIC, style, italic, direct); }
void CScintillaCtrl::StyleSetSize(int style, int points, bool direct) { Call(SCI_STYLESETSIZE, style, points, direct); }
void CScintillaCtrl::StyleSetFont(int style, const char* fontName, bool direct) { Call(SCI_STYLESETFONT, style, Ptr(fontName), direct); }

// Searching, completion lists and tips.

void CScintillaCtrl::SetWordChars(const char* characters, bool direct) { Call(SCI_SETWORDCHARS, 0, Ptr(characters), direct); }
void CScintillaCtrl::SetWhitespaceChars(const char* characters, bool direct) { Call(SCI_SETWHITESPACECHARS, 0, Ptr(characters), direct); }
void CScintillaCtrl::AutoCShow(int lengthEntered, const char* itemList, bool direct) { Call(SCI_AUTOCSHOW, lengthEntered, Ptr(itemList), direct); }
void CScintillaCtrl::AutoCStops(const char* characters, bool direct) { Call(SCI_AUTOCSTOPS, 0, Ptr(characters), direct); }
void CScintillaCtrl::AutoCSelect(const char* text, bool direct) { Call(SCI_AUTOCSELECT, 0, Ptr(text), direct); }
void CScintillaCtrl::AutoCSetFillUps(const char* characters, bool direct) { Call(SCI_AUTOCSETFILLUPS, 0, Ptr(characters), direct); }
void CScintillaCtrl::UserListShow(int listType, const char* itemList, bool direct) { Call(SCI_USERLISTSHOW, listType, Ptr(itemList), direct); }
int CScintillaCtrl::ReplaceTarget(int length, const char* text, bool direct) { return static_cast<int>(Call(SCI_REPLACETARGET, length, Ptr(text), direct)); }
int CScintillaCtrl::ReplaceTargetRE(int length, const char* text, bool direct) { return static_cast<int>(Call(SCI_REPLACETARGETRE, length, Ptr(text), direct)); }
int CScintillaCtrl::SearchInTarget(int length, const char* text, bool direct) { return static_cast<int>(Call(SCI_SEARCHINTARGET, length, Ptr(text), direct)); }
void CScintillaCtrl::CallTipShow(sptr_t position, const char* definition, bool direct) { Call(SCI_CALLTIPSHOW, position, Ptr(definition), direct); }
int CScintillaCtrl::TextWidth(int style, const char* text, bool direct) { return static_cast<int>(Call(SCI_TEXTWIDTH, style, Ptr(text), direct)); }
sptr_t CScintillaCtrl::SearchNext(int flags, const char* text, bool direct) { return Call(SCI_SEARCHNEXT, flags, Ptr(text), direct); }
sptr_t CScintillaCtrl::SearchPrev(int flags, const char* text, bool direct) { return Call(SCI_SEARCHPREV, flags, Ptr(text), direct); }
void CScintillaCtrl::CopyText(int length, const char* text, bool direct) { Call(SCI_COPYTEXT, length, Ptr(text), direct); }

// Wide text.

sptr_t CScintillaCtrl::CallWithText(unsigned message, uptr_t wParam, const wchar_t* text, bool direct)
{
    const std::string bytes = Utf8Argument(text);
    return Call(message, wParam, Ptr(bytes.c_str()), direct);
}

sptr_t CScintillaCtrl::CallWithCountedText(unsigned message, int length, const wchar_t* text, bool direct)
{
    const std::string bytes = Utf8Argument(text, length);
    return Call(message, static_cast<uptr_t>(bytes.size()), Ptr(bytes.c_str()), direct);
}

void CScintillaCtrl::AddText(int length, const wchar_t* text, bool direct) { CallWithCountedText(SCI_ADDTEXT, length, text, direct); }
void CScintillaCtrl::InsertText(sptr_t position, const wchar_t* text, bool direct) { CallWithText(SCI_INSERTTEXT, position, text, direct); }
void CScintillaCtrl::AppendText(int length, const wchar_t* text, bool direct) { CallWithCountedText(SCI_APPENDTEXT, length, text, direct); }
void CScintillaCtrl::SetText(const wchar_t* text, bool direct) { CallWithText(SCI_SETTEXT, 0, text, direct); }
void CScintillaCtrl::ReplaceSel(const wchar_t* text, bool direct) { CallWithText(SCI_REPLACESEL, 0, text, direct); }
void CScintillaCtrl::StyleSetFont(int style, const wchar_t* fontName, bool direct) { CallWithText(SCI_STYLESETFONT, style, fontName, direct); }
void CScintillaCtrl::SetKeyWords(int keywordSet, const wchar_t* words, bool direct) { CallWithText(SCI_SETKEYWORDS, keywordSet, words, direct); }
void CScintillaCtrl::SetLexerLanguage(const wchar_t* language, bool direct) { CallWithText(SCI_SETLEXERLANGUAGE, 0, language, direct); }
void CScintillaCtrl::LoadLexerLibrary(const wchar_t* path, bool direct) { CallWithText(SCI_LOADLEXERLIBRARY, 0, path, direct); }
void CScintillaCtrl::SetWordChars(const wchar_t* characters, bool direct) { CallWithText(SCI_SETWORDCHARS, 0, characters, direct); }
void CScintillaCtrl::SetWhitespaceChars(const wchar_t* characters, bool direct) { CallWithText(SCI_SETWHITESPACECHARS, 0, characters, direct); }
void CScintillaCtrl::AutoCShow(int lengthEntered, const wchar_t* itemList, bool direct) { CallWithText(SCI_AUTOCSHOW, lengthEntered, itemList, direct); }
void CScintillaCtrl::AutoCStops(const wchar_t* characters, bool direct) { CallWithText(SCI_AUTOCSTOPS, 0, characters, direct); }
void CScintillaCtrl::AutoCSelect(const wchar_t* text, bool direct) { CallWithText(SCI_AUTOCSELECT, 0, text, direct); }
void CScintillaCtrl::AutoCSetFillUps(const wchar_t* characters, bool direct) { CallWithText(SCI_AUTOCSETFILLUPS, 0, characters, direct); }
void CScintillaCtrl::UserListShow(int listType, const wchar_t* itemList, bool direct) { CallWithText(SCI_USERLISTSHOW, listType, itemList, direct); }
int CScintillaCtrl::ReplaceTarget(int length, const wchar_t* text, bool direct) { return static_cast<int>(CallWithCountedText(SCI_REPLACETARGET, length, text, direct)); }
int CScintillaCtrl::ReplaceTargetRE(int length, const wchar_t* text, bool direct) { return static_cast<int>(CallWithCountedText(SCI_REPLACETARGETRE, length, text, direct)); }
int CScintillaCtrl::SearchInTarget(int length, const wchar_t* text, bool direct) { return static_cast<int>(CallWithCountedText(SCI_SEARCHINTARGET, length, text, direct)); }
void CScintillaCtrl::CallTipShow(sptr_t position, const wchar_t* definition, bool direct) { CallWithText(SCI_CALLTIPSHOW, position, definition, direct); }
int CScintillaCtrl::TextWidth(int style, const wchar_t* text, bool direct) { return static_cast<int>(CallWithText(SCI_TEXTWIDTH, style, text, direct)); }
sptr_t CScintillaCtrl::SearchNext(int flags, const wchar_t* text, bool direct) { return CallWithText(SCI_SEARCHNEXT, flags, text, direct); }
sptr_t CScintillaCtrl::SearchPrev(int flags, const wchar_t* text, bool direct) { return CallWithText(SCI_SEARCHPREV, flags, text, direct); }
void CScintillaCtrl::CopyText(int length, const wchar_t* text, bool direct) { CallWithCountedText(SCI_COPYTEXT, length, text, direct); }

void CScintillaCtrl::SetProperty(const wchar_t* key, const wchar_t* value, bool direct)
{
    const std::string keyBytes = Utf8Argument(key);
    const std::string valueBytes = Utf8Argument(value);
    Call(SCI_SETPROPERTY, static_cast<uptr_t>(Ptr(keyBytes.c_str())), Ptr(valueBytes.c_str()), direct);
}

int CScintillaCtrl::GetPropertyInt(const wchar_t* key, bool direct)
{
    const std::string keyBytes = Utf8Argument(key);
    return static_cast<int>(Call(SCI_GETPROPERTYINT, static_cast<uptr_t>(Ptr(keyBytes.c_str())), 0, direct));
}

int CScintillaCtrl::GetWideProperty(unsigned message, const wchar_t* key, wchar_t* buffer, int size, bool direct)
{
    const std::string keyBytes = Utf8Argument(key);
    const uptr_t keyArg = static_cast<uptr_t>(Ptr(keyBytes.c_str()));
    const int byteLength = static_cast<int>(Call(message, keyArg, 0, direct));
    std::vector<char> bytes(static_cast<size_t>(std::max(byteLength, 0)) + 1, '\0');
    if (byteLength > 0) Call(message, keyArg, Ptr(bytes.data()), direct);
    const std::wstring wide = WideAnswer(bytes, byteLength);
    CopyTruncated(buffer, size, wide);
    return static_cast<int>(wide.size());
}

int CScintillaCtrl::GetProperty(const wchar_t* key, wchar_t* buffer, int size, bool direct)
{
    return GetWideProperty(SCI_GETPROPERTY, key, buffer, size, direct);
}

int CScintillaCtrl::GetPropertyExpanded(const wchar_t* key, wchar_t* buffer, int size, bool direct)
{
    return GetWideProperty(SCI_GETPROPERTYEXPANDED, key, buffer, size, direct);
}

int CScintillaCtrl::GetText(int size, wchar_t* buffer, bool direct)
{
    if (!buffer || size <= 0) return 0;
    // A character takes at most four bytes, so size - 1 characters fit.
    const int byteSize = size * 4;
    std::vector<char> bytes(static_cast<size_t>(byteSize) + 1, '\0');
    Call(SCI_GETTEXT, static_cast<uptr_t>(byteSize), Ptr(bytes.data()), direct);
    return CopyTruncated(buffer, size, WideAnswer(bytes));
}

std::wstring CScintillaCtrl::GetText(bool direct)
{
    const int length = GetTextLength(direct);
    std::vector<char> bytes(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    Call(SCI_GETTEXT, bytes.size(), Ptr(bytes.data()), direct);
    bytes.back() = '\0';
    return WideAnswer(bytes);
}

int CScintillaCtrl::GetCurLine(int size, wchar_t* buffer, bool direct)
{
    const int needed = static_cast<int>(Call(SCI_GETCURLINE, 0, 0, direct));
    std::vector<char> bytes(static_cast<size_t>(std::max(needed, 0)) + 1, '\0');
    const int result = static_cast<int>(Call(SCI_GETCURLINE, bytes.size(), Ptr(bytes.data()), direct));
    bytes.back() = '\0';
    const std::wstring wide = WideAnswer(bytes);
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
    const int byteLength = static_cast<int>(Call(SCI_GETLINE, static_cast<uptr_t>(line), 0, direct));
    std::vector<char> bytes(static_cast<size_t>(std::max(byteLength, 0)) + 1, '\0');
    if (byteLength > 0) Call(SCI_GETLINE, static_cast<uptr_t>(line), Ptr(bytes.data()), direct);
    const std::wstring wide = WideAnswer(bytes, byteLength);
    CopyTruncated(buffer, size, wide);
    return static_cast<int>(wide.size());
}

std::wstring CScintillaCtrl::GetSelText(bool direct)
{
    const sptr_t start = GetSelectionStart(direct);
    const sptr_t end = GetSelectionEnd(direct);
    std::vector<char> bytes(static_cast<size_t>(std::max<sptr_t>(end - start, 0)) + 2, '\0');
    Call(SCI_GETSELTEXT, 0, Ptr(bytes.data()), direct);
    bytes.back() = '\0';
    return WideAnswer(bytes);
}

int CScintillaCtrl::GetSelText(wchar_t* buffer, bool direct)
{
    const sptr_t start = GetSelectionStart(direct);
    const sptr_t end = GetSelectionEnd(direct);
    const std::wstring text = GetSelText(direct);
    CopyTruncated(buffer, static_cast<int>(std::max<sptr_t>(end - start, 0)) + 1, text);
    return static_cast<int>(text.size());
}
