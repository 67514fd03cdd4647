#pragma once
// CScintillaCtrl: a window of the editing component's class "scintilla"
// (SciLexer.dll, loaded by the program beforehand) with the component's
// messages as members. Every member goes through the component's direct
// function unless its last argument says otherwise. The document is UTF-8:
// creation sets code page 65001, and the wide-text overloads convert.

#include "common/editor/ScintillaMessages.h"
#include "platform/ui/Window.h"

#include <string>
#include <type_traits>

namespace scintilla_detail {

// A member's argument as a message parameter: pointers by address, the rest
// by value (a bool as 1 or 0).
template <class T>
sptr_t Param(T value)
{
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<sptr_t>(value);
    else
        return static_cast<sptr_t>(value);
}

} // namespace scintilla_detail

// The kinds of the message table: how a parameter is declared, how it is
// passed, and how a result comes back.
#define SCI_DECLARE_None(name)
#define SCI_DECLARE_Int(name) int name,
#define SCI_DECLARE_Bool(name) bool name,
#define SCI_DECLARE_Pos(name) sptr_t name,
#define SCI_DECLARE_Line(name) int name,
#define SCI_DECLARE_Colour(name) COLORREF name,
#define SCI_DECLARE_Str(name) const char* name,
#define SCI_DECLARE_StrOut(name) char* name,
#define SCI_DECLARE_Cells(name) const char* name,
#define SCI_DECLARE_KeyMod(name) DWORD name,
#define SCI_DECLARE_TextRange(name) SciTextRange* name,
#define SCI_DECLARE_TextToFind(name) SciTextToFind* name,
#define SCI_DECLARE_RangeToFormat(name) SciRangeToFormat* name,

#define SCI_PASS_None(name) 0
#define SCI_PASS_Int(name) scintilla_detail::Param(name)
#define SCI_PASS_Bool(name) scintilla_detail::Param(name)
#define SCI_PASS_Pos(name) scintilla_detail::Param(name)
#define SCI_PASS_Line(name) scintilla_detail::Param(name)
#define SCI_PASS_Colour(name) scintilla_detail::Param(name)
#define SCI_PASS_Str(name) scintilla_detail::Param(name)
#define SCI_PASS_StrOut(name) scintilla_detail::Param(name)
#define SCI_PASS_Cells(name) scintilla_detail::Param(name)
#define SCI_PASS_KeyMod(name) scintilla_detail::Param(name)
#define SCI_PASS_TextRange(name) scintilla_detail::Param(name)
#define SCI_PASS_TextToFind(name) scintilla_detail::Param(name)
#define SCI_PASS_RangeToFormat(name) scintilla_detail::Param(name)

#define SCI_RESULT_Void void
#define SCI_RESULT_Int int
#define SCI_RESULT_Bool bool
#define SCI_RESULT_Pos sptr_t
#define SCI_RESULT_Line int
#define SCI_RESULT_Colour COLORREF

#define SCI_RETURN_Void(result) static_cast<void>(result)
#define SCI_RETURN_Int(result) static_cast<int>(result)
#define SCI_RETURN_Bool(result) ((result) != 0)
#define SCI_RETURN_Pos(result) (result)
#define SCI_RETURN_Line(result) static_cast<int>(result)
#define SCI_RETURN_Colour(result) static_cast<COLORREF>(result)

#define SCI_MEMBER(number, name, result, wKind, wName, lKind, lName)                                               \
    SCI_RESULT_##result name(SCI_DECLARE_##wKind(wName) SCI_DECLARE_##lKind(lName) bool direct = true)             \
    {                                                                                                              \
        return SCI_RETURN_##result(                                                                                \
            Call(number, static_cast<uptr_t>(SCI_PASS_##wKind(wName)), SCI_PASS_##lKind(lName), direct));          \
    }

// The messages that carry text, as wide-text overloads: TEXT converts the
// text whole (name, result, kind and name of wParam, text's name); COUNTED
// converts length characters and sends the byte count as wParam.
#define SCINTILLA_WIDE_TEXT_MESSAGES(TEXT, COUNTED)      \
    COUNTED(AddText, Void, text)                         \
    TEXT(InsertText, Void, Pos, pos, text)               \
    TEXT(StyleSetFont, Void, Int, style, fontName)       \
    TEXT(SetWordChars, Void, None, _, characters)        \
    TEXT(AutoCShow, Void, Int, lenEntered, itemList)     \
    TEXT(AutoCStops, Void, None, _, characterSet)        \
    TEXT(AutoCSelect, Void, None, _, text)               \
    TEXT(AutoCSetFillUps, Void, None, _, characterSet)   \
    TEXT(UserListShow, Void, Int, listType, itemList)    \
    TEXT(ReplaceSel, Void, None, _, text)                \
    TEXT(SetText, Void, None, _, text)                   \
    COUNTED(ReplaceTarget, Int, text)                    \
    COUNTED(ReplaceTargetRE, Int, text)                  \
    COUNTED(SearchInTarget, Int, text)                   \
    TEXT(CallTipShow, Void, Pos, pos, definition)        \
    TEXT(TextWidth, Int, Int, style, text)               \
    COUNTED(AppendText, Void, text)                      \
    TEXT(SearchNext, Int, Int, flags, text)              \
    TEXT(SearchPrev, Int, Int, flags, text)              \
    COUNTED(CopyText, Void, text)                        \
    TEXT(SetWhitespaceChars, Void, None, _, characters)  \
    TEXT(SetKeyWords, Void, Int, keywordSet, keyWords)   \
    TEXT(SetLexerLanguage, Void, None, _, language)      \
    TEXT(LoadLexerLibrary, Void, None, _, path)

#define SCI_WIDE_TEXT_MEMBER(name, result, wKind, wName, textName)                                                 \
    SCI_RESULT_##result name(SCI_DECLARE_##wKind(wName) const wchar_t* textName, bool direct = true)               \
    {                                                                                                              \
        return SCI_RETURN_##result(                                                                                \
            CallWithText(SciMessage::name, static_cast<uptr_t>(SCI_PASS_##wKind(wName)), textName, direct));        \
    }

#define SCI_WIDE_COUNTED_MEMBER(name, result, textName)                                                            \
    SCI_RESULT_##result name(int length, const wchar_t* textName, bool direct = true)                             \
    {                                                                                                              \
        return SCI_RETURN_##result(CallWithCountedText(SciMessage::name, length, textName, direct));               \
    }

// windows.h names the find dialog FindText; here it is the message.
#pragma push_macro("FindText")
#undef FindText

class CScintillaCtrl : public CWnd {
public:
    // The window goes with the object (CWnd owns what CreateEx made).
    CScintillaCtrl() = default;

    // FALSE when the class is not registered (the component was not loaded)
    // or creation failed; nothing is sent then.
    BOOL CreateCtrl(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0,
                    void* param = nullptr);
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

    // The central call: the direct function with the direct pointer, or a
    // window message. Without a direct function it sends a message.
    sptr_t Call(unsigned message, uptr_t wParam = 0, sptr_t lParam = 0, bool direct = true);

    // One member per message of the table, text in the document's bytes.
    SCINTILLA_MESSAGES(SCI_MEMBER)

    // Wide text. A length is the caller's character count; the component
    // gets the UTF-8 byte count. Buffers are in characters and always end
    // terminated within their size.
    SCINTILLA_WIDE_TEXT_MESSAGES(SCI_WIDE_TEXT_MEMBER, SCI_WIDE_COUNTED_MEMBER)

    // Copies at most size - 1 characters; returns how many were copied.
    int GetText(int size, wchar_t* buffer, bool direct = true);
    // The whole document.
    std::wstring GetText(bool direct = true);
    // Null buffer: the size needed for the current line (length + 1).
    // Otherwise the component's result (the caret's place in the line).
    int GetCurLine(int size, wchar_t* buffer, bool direct = true);
    // The buffer's size in characters is in its first element.
    int GetLine(int line, wchar_t* buffer, bool direct = true);
    int GetLine(int line, wchar_t* buffer, int size, bool direct = true);
    // The buffer holds at least selection end - selection start + 1 characters.
    int GetSelText(wchar_t* buffer, bool direct = true);
    std::wstring GetSelText(bool direct = true);
    void SetProperty(const wchar_t* key, const wchar_t* value, bool direct = true);
    // Null buffer: the value's length in characters.
    int GetProperty(const wchar_t* key, wchar_t* buffer, int size, bool direct = true);
    int GetPropertyExpanded(const wchar_t* key, wchar_t* buffer, int size, bool direct = true);
    int GetPropertyInt(const wchar_t* key, bool direct = true);

private:
    sptr_t CallWithText(unsigned message, uptr_t wParam, const wchar_t* text, bool direct);
    sptr_t CallWithCountedText(unsigned message, int length, const wchar_t* text, bool direct);
    int GetWideProperty(unsigned message, const wchar_t* key, wchar_t* buffer, int size, bool direct);

    SciFnDirect m_directFunction = nullptr;
    sptr_t m_directPointer = 0;
};

#pragma pop_macro("FindText")

#undef SCI_MEMBER
#undef SCI_WIDE_TEXT_MEMBER
#undef SCI_WIDE_COUNTED_MEMBER
