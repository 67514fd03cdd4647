#include "common/editor/ScintillaCtrl.h"
#include "common/editor/VBScriptEditor.h"

#include "base/text/TextConversion.h"
#include "base/win/UniqueHandle.h"

#include "testing/scilexer/SciLexerStandIn.h"

#include <gtest/gtest.h>
#include <cwchar>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace {

const RECT kEditorRect{0, 0, 300, 200};
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;

UniqueWindow CreateParent()
{
    return UniqueWindow(::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr));
}

TEST(ScintillaCtrlWithoutComponent, CreateFailsCleanlyUntilTheComponentIsLoaded)
{
    ASSERT_EQ(::GetModuleHandleW(L"SciLexer.dll"), nullptr);
    UniqueWindow parent = CreateParent();
    {
        CScintillaCtrl editor;
        EXPECT_FALSE(editor.CreateCtrl(kStyle, kEditorRect, parent.Get(), 1004));
        EXPECT_EQ(editor.GetSafeHwnd(), nullptr);
        EXPECT_EQ(editor.GetCodePage(), 0) << "nothing is sent without a window";
        editor.SetText(L"ignored");
    }
    {
        UniqueModule component(::LoadLibraryW(L"SciLexer.dll"));
        ASSERT_TRUE(component);
        CScintillaCtrl editor;
        EXPECT_TRUE(editor.Create(kStyle, kEditorRect, parent.Get(), 1004));
    }
    CScintillaCtrl afterUnload;
    EXPECT_FALSE(afterUnload.CreateCtrl(kStyle, kEditorRect, parent.Get(), 1004))
        << "unloading the component removes its class";
}

class ScintillaCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(component);
        ASSERT_TRUE(editor.CreateCtrl(kStyle, kEditorRect, parent.Get(), 1004));
    }

    StandInCall LastCall()
    {
        StandInCall call{};
        editor.Call(SCI_STANDIN_GETLASTCALL, 0, reinterpret_cast<sptr_t>(&call));
        return call;
    }

    void SetAnswer(sptr_t answer) { editor.Call(SCI_STANDIN_SETANSWER, static_cast<uptr_t>(answer)); }

    std::wstring WideText()
    {
        wchar_t buffer[256];
        editor.GetText(256, buffer);
        return buffer;
    }

    UniqueModule component{::LoadLibraryW(L"SciLexer.dll")};
    UniqueWindow parent = CreateParent();
    CScintillaCtrl editor;
};

TEST_F(ScintillaCtrlTest, CreationSetsTheUtf8CodePage)
{
    EXPECT_EQ(editor.GetCodePage(), SC_CP_UTF8);
    EXPECT_EQ(::SendMessageW(editor.GetSafeHwnd(), SciMessage::GetCodePage, 0, 0), SC_CP_UTF8);
    EXPECT_EQ(::GetDlgCtrlID(editor.GetSafeHwnd()), 1004);
}

TEST_F(ScintillaCtrlTest, NonAsciiTextSurvivesTheRoundTrip)
{
    const std::wstring text = L"Gr\u00fc\u00dfe, \u4e16\u754c \U0001F600";
    editor.AddText(static_cast<int>(text.size()), text.c_str());
    const StandInCall sent = LastCall();
    EXPECT_EQ(sent.message, SciMessage::AddText);
    EXPECT_EQ(sent.wParam, WideToNarrow(text, CP_UTF8).size()) << "the byte count is sent, not the characters";
    EXPECT_EQ(editor.GetTextLength(), static_cast<int>(WideToNarrow(text, CP_UTF8).size()));
    EXPECT_EQ(WideText(), text);
    EXPECT_EQ(editor.GetWindowText(), text) << "the window shows the same characters";

    editor.ClearAll();
    editor.SetText(text.c_str());
    EXPECT_EQ(WideText(), text);
}

TEST_F(ScintillaCtrlTest, GetTextTruncatesToTheBuffer)
{
    const struct {
        const wchar_t* document;
        const wchar_t* expected;
    } cases[] = {
        {L"abcdefgh", L"abcd"},
        {L"\u00e4\u00f6\u00fc\u00df\u00e9\u00e8", L"\u00e4\u00f6\u00fc\u00df"},
        {L"ab\U0001F600cd", L"ab\U0001F600"},
        {L"a\U0001F600\U0001F600", L"a\U0001F600"}, // never half a pair
        {L"abc", L"abc"},
    };
    for (const auto& c : cases) {
        editor.SetText(c.document);
        wchar_t buffer[8];
        std::fill(std::begin(buffer), std::end(buffer), L'x');
        const int copied = editor.GetText(5, buffer);
        EXPECT_EQ(std::wstring(buffer), c.expected);
        EXPECT_EQ(copied, static_cast<int>(std::wcslen(c.expected)));
        EXPECT_EQ(buffer[5], L'x') << "nothing written past the size";
    }
}

TEST_F(ScintillaCtrlTest, DirectAndWindowMessageCallsAgree)
{
    editor.SetText(L"one\r\nzwei \u00fc\r\nthree");
    editor.GotoPos(7);
    const unsigned queries[] = {SciMessage::GetLength, SciMessage::GetLineCount, SciMessage::GetCurrentPos,
                                SciMessage::GetCodePage};
    for (unsigned message : queries)
        EXPECT_EQ(editor.Call(message, 0, 0, true), editor.Call(message, 0, 0, false)) << message;
    EXPECT_EQ(editor.LineFromPosition(7, true), editor.LineFromPosition(7, false));
    EXPECT_EQ(editor.LineFromPosition(7), 1);

    wchar_t direct[32];
    wchar_t indirect[32];
    EXPECT_EQ(editor.GetText(32, direct, true), editor.GetText(32, indirect, false));
    EXPECT_STREQ(direct, indirect);
}

TEST_F(ScintillaCtrlTest, CurrentLineAndLinesInCharacters)
{
    const std::wstring second = L"zweite \u00fc\u00fc";
    editor.SetText((L"first\r\n" + second).c_str());
    editor.GotoPos(editor.GetLength());
    EXPECT_EQ(editor.GetCurLine(0, static_cast<wchar_t*>(nullptr)), static_cast<int>(second.size()) + 1);

    wchar_t line[4];
    editor.GetCurLine(4, line);
    EXPECT_STREQ(line, L"zwe");

    wchar_t first[16] = {16};
    EXPECT_EQ(editor.GetLine(0, first), 7) << "the line end counts";
    EXPECT_STREQ(first, L"first\r\n");
    wchar_t small[4];
    EXPECT_EQ(editor.GetLine(1, small, 4), static_cast<int>(second.size()));
    EXPECT_STREQ(small, L"zwe");

    editor.SetSel(7, editor.GetLength());
    EXPECT_EQ(editor.GetSelText(), second);
    wchar_t selected[32];
    EXPECT_EQ(editor.GetSelText(selected), static_cast<int>(second.size()));
    EXPECT_EQ(std::wstring(selected), second);
}

TEST_F(ScintillaCtrlTest, TheWholeDocumentComesBackWhateverItsLength)
{
    EXPECT_EQ(editor.GetText(), L"");
    std::wstring text;
    for (int i = 0; i < 200; ++i)
        text += L"Zeile \u00e4\u4e16 \U0001F600\r\n";
    editor.SetText(text.c_str());
    EXPECT_EQ(editor.GetText(), text);
}

TEST_F(ScintillaCtrlTest, WindowTextMessagesReachTheDocument)
{
    ::SetWindowTextW(editor.GetSafeHwnd(), L"\u00fc");
    EXPECT_EQ(editor.GetLength(), 2);
    editor.SetText(L"x");
    EXPECT_EQ(editor.GetWindowText(), L"x");
}

TEST_F(ScintillaCtrlTest, TheVBScriptLookSetsLexerKeywordsAndStyles)
{
    SetupVBScriptEditor(editor);
    EXPECT_EQ(editor.GetLexer(), SCLEX_VBSCRIPT);
    char keywords[1024] = {};
    editor.Call(SCI_STANDIN_GETKEYWORDS, 0, reinterpret_cast<sptr_t>(keywords));
    const std::string words = keywords;
    EXPECT_EQ(words.find("and as byref byval case call const"), 0u) << words;
    EXPECT_NE(words.find(" single string type variant"), std::string::npos) << words;
    EXPECT_EQ(editor.Call(SCI_STANDIN_GETCOLOURISECOUNT), 1);

    struct Case {
        int style;
        COLORREF fore;
        bool bold;
    };
    const Case cases[] = {
        {0, RGB(0, 0, 0), false},       {1, RGB(0, 128, 0), false},     {2, RGB(128, 0, 0), false},
        {3, RGB(0, 0, 128), true},      {4, RGB(128, 0, 128), false},   {5, RGB(127, 127, 127), false},
        {6, RGB(0, 128, 128), false},   {7, RGB(0, 0, 0), false},       {8, RGB(0, 0, 0), false},
        {10, RGB(153, 102, 0), false},  {STYLE_DEFAULT, RGB(0, 0, 0), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(editor.Call(SCI_STYLEGETFORE, c.style), static_cast<sptr_t>(c.fore)) << c.style;
        EXPECT_EQ(editor.Call(SCI_STYLEGETBACK, c.style), static_cast<sptr_t>(RGB(255, 255, 255))) << c.style;
        EXPECT_EQ(editor.Call(SCI_STYLEGETBOLD, c.style), c.bold ? 1 : 0) << c.style;
    }
    EXPECT_EQ(editor.Call(SCI_STYLEGETSIZE, STYLE_DEFAULT), 10);
    char font[64] = {};
    editor.Call(SCI_STYLEGETFONT, STYLE_DEFAULT, reinterpret_cast<sptr_t>(font));
    EXPECT_STREQ(font, "Lucida Console");
}

TEST_F(ScintillaCtrlTest, LexerKeywordsStylesAndPropertiesAreKept)
{
    editor.SetLexer(SCLEX_VBSCRIPT);
    editor.SetKeyWords(0, L"and as byref");
    editor.StyleSetFore(3, RGB(0, 0, 128));
    editor.StyleSetBold(3, true);
    editor.StyleSetSize(STYLE_DEFAULT, 10);
    editor.StyleSetFont(STYLE_DEFAULT, L"Lucida Console");
    editor.Colourise(0, -1);

    EXPECT_EQ(editor.GetLexer(), SCLEX_VBSCRIPT);
    char buffer[64] = {};
    editor.Call(SCI_STANDIN_GETKEYWORDS, 0, reinterpret_cast<sptr_t>(buffer));
    EXPECT_STREQ(buffer, "and as byref");
    EXPECT_EQ(editor.Call(SCI_STYLEGETFORE, 3), static_cast<sptr_t>(RGB(0, 0, 128)));
    EXPECT_EQ(editor.Call(SCI_STYLEGETBOLD, 3), 1);
    EXPECT_EQ(editor.Call(SCI_STYLEGETSIZE, STYLE_DEFAULT), 10);
    editor.Call(SCI_STYLEGETFONT, STYLE_DEFAULT, reinterpret_cast<sptr_t>(buffer));
    EXPECT_STREQ(buffer, "Lucida Console");
    EXPECT_EQ(editor.Call(SCI_STANDIN_GETCOLOURISECOUNT), 1);

    editor.SetProperty(L"fold", L"1");
    editor.SetProperty(L"n\u00e4me", L"w\u00e4rt");
    EXPECT_EQ(editor.GetPropertyInt(L"fold"), 1);
    EXPECT_EQ(editor.GetProperty(L"n\u00e4me", nullptr, 0), 4);
    wchar_t value[3];
    EXPECT_EQ(editor.GetProperty(L"n\u00e4me", value, 3), 4);
    EXPECT_STREQ(value, L"w\u00e4");
}

TEST_F(ScintillaCtrlTest, ResultsComeBackInTheirKinds)
{
    static_assert(std::is_void_v<decltype(editor.Redo())>);
    static_assert(std::is_same_v<decltype(editor.GetTabWidth()), int>);
    static_assert(std::is_same_v<decltype(editor.CanRedo()), bool>);
    static_assert(std::is_same_v<decltype(editor.GetTargetStart()), sptr_t>);
    static_assert(std::is_same_v<decltype(editor.GetFirstVisibleLine()), int>);
    static_assert(std::is_same_v<decltype(editor.GetCaretFore()), COLORREF>);

    SetAnswer(-2);
    EXPECT_EQ(editor.GetTabWidth(), -2);
    EXPECT_EQ(editor.GetTargetStart(), -2);
    EXPECT_EQ(editor.GetFirstVisibleLine(false), -2);
    SetAnswer(0x00ABCDEF);
    EXPECT_EQ(editor.GetCaretFore(), static_cast<COLORREF>(0x00ABCDEF));
    SetAnswer(0x100);
    EXPECT_TRUE(editor.CanRedo()) << "any bit set is true";
    SetAnswer(0);
    EXPECT_FALSE(editor.CanRedo(false));
}

TEST(ScintillaMessageTable, HoldsExactlyThePublishedRanges)
{
#define NUMBER_OF(number, ...) number,
#define NAME_OF(number, name, ...) #name,
    const std::vector<unsigned> numbers{SCINTILLA_MESSAGES(NUMBER_OF)};
    const std::set<std::string> names{SCINTILLA_MESSAGES(NAME_OF)};
#undef NUMBER_OF
#undef NAME_OF
    const struct {
        unsigned first;
        unsigned last;
    } ranges[] = {{2001, 2037}, {2039, 2060}, {2066, 2085}, {2090, 2108}, {2110, 2119}, {2121, 2183},
                  {2186, 2195}, {2197, 2212}, {2220, 2235}, {2240, 2247}, {2260, 2291}, {2300, 2353},
                  {2355, 2368}, {2370, 2378}, {2380, 2471}, {2476, 2478}, {3001, 3002}, {4001, 4011}};
    std::vector<unsigned> expected;
    for (const auto& range : ranges)
        for (unsigned number = range.first; number <= range.last; ++number) expected.push_back(number);
    ASSERT_EQ(expected.size(), 438u);
    EXPECT_EQ(numbers, expected) << "every number once, in order";
    EXPECT_EQ(names.size(), numbers.size()) << "no name twice";
}

// Sample arguments by side (0 wParam, 1 lParam) and what the component must
// receive for them; the two sides differ so that a swap shows.
struct SampleArguments {
    char text[2][32] = {"first sample text", "second sample text"};
    char buffer[2][512] = {};
    SciTextRange range[2] = {};
    SciTextToFind find[2] = {};
    SciRangeToFormat format[2] = {};
};

constexpr int kSampleInt[] = {7, 11};
constexpr sptr_t kSamplePosition[] = {-3, -5};

#define SAMPLE_None(s, side)
#define SAMPLE_Int(s, side) kSampleInt[side],
#define SAMPLE_Bool(s, side) true,
#define SAMPLE_Pos(s, side) kSamplePosition[side],
#define SAMPLE_Colour(s, side) RGB(1, 2, 3),
#define SAMPLE_KeyMod(s, side) SciKeyMod('A', 2),
#define SAMPLE_Str(s, side) s.text[side],
#define SAMPLE_Cells(s, side) s.text[side],
#define SAMPLE_StrOut(s, side) s.buffer[side],
#define SAMPLE_TextRange(s, side) &s.range[side],
#define SAMPLE_TextToFind(s, side) &s.find[side],
#define SAMPLE_RangeToFormat(s, side) &s.format[side],

#define RECEIVED_None(s, side) sptr_t{0}
#define RECEIVED_Int(s, side) sptr_t{kSampleInt[side]}
#define RECEIVED_Bool(s, side) sptr_t{1}
#define RECEIVED_Pos(s, side) kSamplePosition[side]
#define RECEIVED_Colour(s, side) sptr_t{0x030201}
#define RECEIVED_KeyMod(s, side) sptr_t{0x00020041}
#define RECEIVED_Str(s, side) reinterpret_cast<sptr_t>(s.text[side])
#define RECEIVED_Cells(s, side) reinterpret_cast<sptr_t>(s.text[side])
#define RECEIVED_StrOut(s, side) reinterpret_cast<sptr_t>(s.buffer[side])
#define RECEIVED_TextRange(s, side) reinterpret_cast<sptr_t>(&s.range[side])
#define RECEIVED_TextToFind(s, side) reinterpret_cast<sptr_t>(&s.find[side])
#define RECEIVED_RangeToFormat(s, side) reinterpret_cast<sptr_t>(&s.format[side])

#pragma push_macro("FindText")
#undef FindText

TEST_F(ScintillaCtrlTest, EveryMemberSendsItsNumberWithItsArgumentsInOrder)
{
    SampleArguments s;
    const auto expectSent = [this](unsigned number, sptr_t wParam, sptr_t lParam, const char* name) {
        const StandInCall call = LastCall();
        EXPECT_EQ(call.message, number) << name;
        EXPECT_EQ(static_cast<sptr_t>(call.wParam), wParam) << name;
        EXPECT_EQ(call.lParam, lParam) << name;
    };
#define CALL_AND_CHECK(number, name, result, wKind, wName, lKind, lName)                                   \
    editor.name(SAMPLE_##wKind(s, 0) SAMPLE_##lKind(s, 1) true);                                           \
    expectSent(number, RECEIVED_##wKind(s, 0), RECEIVED_##lKind(s, 1), #name);
    SCINTILLA_MESSAGES(CALL_AND_CHECK)
#undef CALL_AND_CHECK
}

#pragma pop_macro("FindText")

TEST_F(ScintillaCtrlTest, WideTextMembersSendTheirMessageWithTheUtf8Length)
{
    const wchar_t text[] = L"\u00e9t\u00e9"; // 3 characters, 5 bytes
#define SAMPLE_WIDE_None
#define SAMPLE_WIDE_Int kSampleInt[0],
#define SAMPLE_WIDE_Pos kSamplePosition[0],
#define RECEIVED_WIDE_None sptr_t{0}
#define RECEIVED_WIDE_Int sptr_t{kSampleInt[0]}
#define RECEIVED_WIDE_Pos kSamplePosition[0]
#define CALL_TEXT(name, result, wKind, wName, textName)                                                     \
    editor.name(SAMPLE_WIDE_##wKind text);                                                                 \
    EXPECT_EQ(LastCall().message, SciMessage::name) << #name;                                              \
    EXPECT_EQ(static_cast<sptr_t>(LastCall().wParam), RECEIVED_WIDE_##wKind) << #name;
#define CALL_COUNTED(name, result, textName)                                                                \
    editor.name(3, text);                                                                                  \
    EXPECT_EQ(LastCall().message, SciMessage::name) << #name;                                              \
    EXPECT_EQ(LastCall().wParam, 5u) << #name << ": the byte count, not the characters";
    SCINTILLA_WIDE_TEXT_MESSAGES(CALL_TEXT, CALL_COUNTED)
#undef CALL_TEXT
#undef CALL_COUNTED
}

} // namespace
