#pragma once
// The text object of an element and its font.

#include <memory>
#include <string>

#include "hostclient/HostObject.h"

class CHostFont;

class CHostText : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    std::wstring GetText();
    void SetText(const std::wstring& text);
    std::unique_ptr<CHostFont> GetFont();

private:
    enum Name { Text, Font, CharsFont, CharsRect, TextNoTrim, TextNoUpdate, UnicodeText, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};

class CHostFont : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    // Nothing happens when the host's font lacks the member.
    void SetColor(long color);

private:
    enum Name {
        Name_, Height, Transparency, Bold, Italic, Underline, Blur, ColorIndex, Update, Edge, HorizShear,
        VerticalShear, Kerning, Leading, SpaceWidth, XYFilter, Color, EdgeCount, CharacterData, IsSame, NameCount
    };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};
