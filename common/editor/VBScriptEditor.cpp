#include "common/editor/VBScriptEditor.h"

namespace {

const char kVBScriptKeywords[] =
    "and as byref byval case call const continue dim do each else elseif end error exit false for function "
    "global goto if in loop me new next not nothing on optional or private public redim rem resume select set "
    "sub then to true type while with boolean byte currency date double integer long object single string type "
    "variant";

} // namespace

void SetupVBScriptEditor(CScintillaCtrl& editor)
{
    struct Style { int number; COLORREF fore; };
    constexpr COLORREF kWhite = RGB(255, 255, 255);
    editor.SetLexer(SCLEX_VBSCRIPT);
    editor.SetKeyWords(0, kVBScriptKeywords);
    const Style first[] = {{0, RGB(0, 0, 0)}, {1, RGB(0, 128, 0)}, {2, RGB(128, 0, 0)}, {3, RGB(0, 0, 128)},
                           {10, RGB(153, 102, 0)}};
    for (const Style& style : first) {
        editor.StyleSetFore(style.number, style.fore);
        editor.StyleSetBack(style.number, kWhite);
    }
    editor.StyleSetBold(3, true);
    const Style second[] = {{4, RGB(128, 0, 128)}, {5, RGB(127, 127, 127)}, {6, RGB(0, 128, 128)},
                            {7, RGB(0, 0, 0)}, {8, RGB(0, 0, 0)}};
    for (const Style& style : second) {
        editor.StyleSetFore(style.number, style.fore);
        editor.StyleSetBack(style.number, kWhite);
    }
    editor.Colourise(0, -1);
    editor.StyleSetFore(STYLE_DEFAULT, RGB(0, 0, 0));
    editor.StyleSetBack(STYLE_DEFAULT, kWhite);
    editor.StyleSetSize(STYLE_DEFAULT, 10);
    editor.StyleSetFont(STYLE_DEFAULT, "Lucida Console");
}

