#pragma once
// CScintillaCtrl: a window of the editing component's class "scintilla"
// (SciLexer.dll, loaded by the program beforehand) with the component's
// messages as members. Every member goes through the component's direct
// function unless its last argument says otherwise. The document is UTF-8:
// creation sets code page 65001, and the wide-text overloads convert.

#include "common/editor/ScintillaMessages.h"
#include "platform/ui/Window.h"

#include <string>

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

    // Text, in the document's bytes.
    void AddText(int length, const char* text, bool direct = true);
    void InsertText(sptr_t position, const char* text, bool direct = true);
    void AppendText(int length, const char* text, bool direct = true);
    void ClearAll(bool direct = true);
    void SetText(const char* text, bool direct = true);
    int GetText(int length, char* text, bool direct = true);
    int GetLength(bool direct = true);
    int GetTextLength(bool direct = true);
    void ReplaceSel(const char* text, bool direct = true);
    int GetSelText(char* text, bool direct = true);
    int GetCurLine(int length, char* text, bool direct = true);
    int GetLine(int line, char* text, bool direct = true);

    // Positions and lines.
    sptr_t GetCurrentPos(bool direct = true);
    void GotoPos(sptr_t position, bool direct = true);
    void SetSel(sptr_t anchor, sptr_t caret, bool direct = true);
    sptr_t GetSelectionStart(bool direct = true);
    sptr_t GetSelectionEnd(bool direct = true);
    int GetLineCount(bool direct = true);
    int LineFromPosition(sptr_t position, bool direct = true);
    sptr_t PositionFromLine(int line, bool direct = true);
    int LineLength(int line, bool direct = true);

    // Encoding, lexer and styles.
    void SetCodePage(int codePage, bool direct = true);
    int GetCodePage(bool direct = true);
    void SetLexer(int lexer, bool direct = true);
    int GetLexer(bool direct = true);
    void Colourise(sptr_t start, sptr_t end, bool direct = true);
    void SetKeyWords(int keywordSet, const char* words, bool direct = true);
    void SetProperty(const char* key, const char* value, bool direct = true);
    int GetProperty(const char* key, char* buffer, bool direct = true);
    int GetPropertyExpanded(const char* key, char* buffer, bool direct = true);
    int GetPropertyInt(const char* key, int defaultValue, bool direct = true);
    void SetLexerLanguage(const char* language, bool direct = true);
    void LoadLexerLibrary(const char* path, bool direct = true);
    void StyleClearAll(bool direct = true);
    void StyleSetFore(int style, COLORREF fore, bool direct = true);
    void StyleSetBack(int style, COLORREF back, bool direct = true);
    void StyleSetBold(int style, bool bold, bool direct = true);
    void StyleSetItalic(int style, bool italic, bool direct = true);
    void StyleSetSize(int style, int points, bool direct = true);
    void StyleSetFont(int style, const char* fontName, bool direct = true);

    // Searching, completion lists and tips.
    void SetWordChars(const char* characters, bool direct = true);
    void SetWhitespaceChars(const char* characters, bool direct = true);
    void AutoCShow(int lengthEntered, const char* itemList, bool direct = true);
    void AutoCStops(const char* characters, bool direct = true);
    void AutoCSelect(const char* text, bool direct = true);
    void AutoCSetFillUps(const char* characters, bool direct = true);
    void UserListShow(int listType, const char* itemList, bool direct = true);
    int ReplaceTarget(int length, const char* text, bool direct = true);
    int ReplaceTargetRE(int length, const char* text, bool direct = true);
    int SearchInTarget(int length, const char* text, bool direct = true);
    void CallTipShow(sptr_t position, const char* definition, bool direct = true);
    int TextWidth(int style, const char* text, bool direct = true);
    sptr_t SearchNext(int flags, const char* text, bool direct = true);
    sptr_t SearchPrev(int flags, const char* text, bool direct = true);
    void CopyText(int length, const char* text, bool direct = true);

    // Wide text. A length is the caller's character count; the component
    // gets the UTF-8 byte count. Buffers are in characters and always end
    // terminated within their size.
    void AddText(int length, const wchar_t* text, bool direct = true);
    void InsertText(sptr_t position, const wchar_t* text, bool direct = true);
    void AppendText(int length, const wchar_t* text, bool direct = true);
    void SetText(const wchar_t* text, bool direct = true);
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
    void ReplaceSel(const wchar_t* text, bool direct = true);
    void StyleSetFont(int style, const wchar_t* fontName, bool direct = true);
    void SetKeyWords(int keywordSet, const wchar_t* words, bool direct = true);
    void SetProperty(const wchar_t* key, const wchar_t* value, bool direct = true);
    // Null buffer: the value's length in characters.
    int GetProperty(const wchar_t* key, wchar_t* buffer, int size, bool direct = true);
    int GetPropertyExpanded(const wchar_t* key, wchar_t* buffer, int size, bool direct = true);
    int GetPropertyInt(const wchar_t* key, bool direct = true);
    void SetLexerLanguage(const wchar_t* language, bool direct = true);
    void LoadLexerLibrary(const wchar_t* path, bool direct = true);
    void SetWordChars(const wchar_t* characters, bool direct = true);
    void SetWhitespaceChars(const wchar_t* characters, bool direct = true);
    void AutoCShow(int lengthEntered, const wchar_t* itemList, bool direct = true);
    void AutoCStops(const wchar_t* characters, bool direct = true);
    void AutoCSelect(const wchar_t* text, bool direct = true);
    void AutoCSetFillUps(const wchar_t* characters, bool direct = true);
    void UserListShow(int listType, const wchar_t* itemList, bool direct = true);
    int ReplaceTarget(int length, const wchar_t* text, bool direct = true);
    int ReplaceTargetRE(int length, const wchar_t* text, bool direct = true);
    int SearchInTarget(int length, const wchar_t* text, bool direct = true);
    void CallTipShow(sptr_t position, const wchar_t* definition, bool direct = true);
    int TextWidth(int style, const wchar_t* text, bool direct = true);
    sptr_t SearchNext(int flags, const wchar_t* text, bool direct = true);
    sptr_t SearchPrev(int flags, const wchar_t* text, bool direct = true);
    void CopyText(int length, const wchar_t* text, bool direct = true);

private:
    sptr_t CallWithText(unsigned message, uptr_t wParam, const wchar_t* text, bool direct);
    sptr_t CallWithCountedText(unsigned message, int length, const wchar_t* text, bool direct);
    int GetWideProperty(unsigned message, const wchar_t* key, wchar_t* buffer, int size, bool direct);

    SciFnDirect m_directFunction = nullptr;
    sptr_t m_directPointer = 0;
};
