#pragma once
// The per-window state of the stand-in editor: the document is the text of
// the multi-line edit control underneath, seen as bytes in the editor's code
// page; lexer, keywords, styles and properties are only kept.

#include "testing/scilexer/SciLexerStandIn.h"

#include <windows.h>
#include <array>
#include <map>
#include <string>
#include <vector>

class StandInEditor {
public:
    StandInEditor(HWND hwnd, WNDPROC editProc) : m_hwnd(hwnd), m_editProc(editProc) {}

    sptr_t Handle(unsigned message, uptr_t wParam, sptr_t lParam);

private:
    struct Style {
        COLORREF fore = 0x000000;
        COLORREF back = 0xFFFFFF;
        bool bold = false;
        bool italic = false;
        int size = 8;
        std::string font = "Verdana";
    };

    LRESULT Edit(UINT message, WPARAM wParam, LPARAM lParam) const;
    UINT ConversionCodePage() const;
    std::string ToBytes(const std::wstring& text) const;
    std::wstring ToWide(const char* text, int length) const;
    std::wstring EditText() const;
    std::string Document() const { return ToBytes(EditText()); }
    // Byte position <-> edit control character index.
    int UnitsFromBytes(const std::string& document, sptr_t position) const;
    int BytesFromUnits(const std::wstring& text, int units) const;
    void Selection(int& anchorUnits, int& caretUnits) const;
    sptr_t BytePosition(int units) const;
    void InsertAt(int units, const std::wstring& text);
    std::vector<int> LineStarts(const std::string& document) const;
    sptr_t LineOf(const std::string& document, sptr_t position) const;
    std::string LineText(const std::string& document, sptr_t line) const;
    Style& StyleAt(uptr_t style);
    static sptr_t CopyOut(const std::string& value, char* buffer);

    HWND m_hwnd;
    WNDPROC m_editProc;
    int m_codePage = 0;
    int m_lexer = 0;
    int m_colouriseCount = 0;
    StandInCall m_lastCall{};
    sptr_t m_answer = 0;
    std::array<std::string, 9> m_keywords;
    std::map<uptr_t, Style> m_styles;
    std::map<std::string, std::string> m_properties;
};
