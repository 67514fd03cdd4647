#include "testing/scilexer/StandInEditor.h"

#include "base/text/TextConversion.h"

#include <algorithm>
#include <cstring>

namespace {

const char* TextArg(sptr_t lParam)
{
    const char* text = reinterpret_cast<const char*>(lParam);
    return text ? text : "";
}

} // namespace

LRESULT StandInEditor::Edit(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::CallWindowProcW(m_editProc, m_hwnd, message, wParam, lParam);
}

UINT StandInEditor::ConversionCodePage() const
{
    return m_codePage == SC_CP_UTF8 ? CP_UTF8 : CP_ACP;
}

std::string StandInEditor::ToBytes(const std::wstring& text) const
{
    return WideToNarrow(text, ConversionCodePage());
}

std::wstring StandInEditor::ToWide(const char* text, int length) const
{
    return NarrowToWide(length < 0 ? std::string_view(text) : std::string_view(text, static_cast<size_t>(length)),
                        ConversionCodePage());
}

std::wstring StandInEditor::EditText() const
{
    const int length = static_cast<int>(Edit(WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = static_cast<int>(Edit(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0])));
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

int StandInEditor::UnitsFromBytes(const std::string& document, sptr_t position) const
{
    const sptr_t clamped = std::clamp<sptr_t>(position, 0, static_cast<sptr_t>(document.size()));
    return static_cast<int>(ToWide(document.data(), static_cast<int>(clamped)).size());
}

int StandInEditor::BytesFromUnits(const std::wstring& text, int units) const
{
    return static_cast<int>(ToBytes(text.substr(0, static_cast<size_t>(std::max(units, 0)))).size());
}

void StandInEditor::Selection(int& anchorUnits, int& caretUnits) const
{
    DWORD start = 0;
    DWORD end = 0;
    Edit(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    anchorUnits = static_cast<int>(start);
    caretUnits = static_cast<int>(end);
}

sptr_t StandInEditor::BytePosition(int units) const
{
    return BytesFromUnits(EditText(), units);
}

void StandInEditor::InsertAt(int units, const std::wstring& text)
{
    Edit(EM_SETSEL, static_cast<WPARAM>(units), units);
    Edit(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<int> StandInEditor::LineStarts(const std::string& document) const
{
    std::vector<int> starts{0};
    for (size_t i = 0; i < document.size(); ++i) {
        if (document[i] == '\r' && i + 1 < document.size() && document[i + 1] == '\n') ++i;
        if (document[i] == '\r' || document[i] == '\n') starts.push_back(static_cast<int>(i + 1));
    }
    return starts;
}

sptr_t StandInEditor::LineOf(const std::string& document, sptr_t position) const
{
    const std::vector<int> starts = LineStarts(document);
    return std::upper_bound(starts.begin(), starts.end(), position) - starts.begin() - 1;
}

std::string StandInEditor::LineText(const std::string& document, sptr_t line) const
{
    const std::vector<int> starts = LineStarts(document);
    if (line < 0 || line >= static_cast<sptr_t>(starts.size())) return {};
    const size_t begin = static_cast<size_t>(starts[static_cast<size_t>(line)]);
    const size_t end = static_cast<size_t>(line) + 1 < starts.size() ? static_cast<size_t>(starts[static_cast<size_t>(line) + 1])
                                                                     : document.size();
    return document.substr(begin, end - begin);
}

StandInEditor::Style& StandInEditor::StyleAt(uptr_t style)
{
    auto found = m_styles.find(style);
    if (found != m_styles.end()) return found->second;
    auto base = m_styles.find(STYLE_DEFAULT);
    return m_styles.emplace(style, base != m_styles.end() ? base->second : Style{}).first->second;
}

sptr_t StandInEditor::CopyOut(const std::string& value, char* buffer)
{
    if (buffer) {
        std::memcpy(buffer, value.data(), value.size());
        buffer[value.size()] = '\0';
    }
    return static_cast<sptr_t>(value.size());
}

sptr_t StandInEditor::Handle(unsigned message, uptr_t wParam, sptr_t lParam)
{
    char* out = reinterpret_cast<char*>(lParam);
    if (message < SCI_STANDIN_GETKEYWORDS) m_lastCall = {message, wParam, lParam};
    switch (message) {
    case SciMessage::GetDirectPointer:
        return reinterpret_cast<sptr_t>(this);
    case SciMessage::SetCodePage:
        m_codePage = static_cast<int>(wParam);
        return 0;
    case SciMessage::GetCodePage:
        return m_codePage;

    case SciMessage::SetText:
        Edit(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ToWide(TextArg(lParam), -1).c_str()));
        return 0;
    case SciMessage::ClearAll:
        Edit(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        return 0;
    case SciMessage::GetText: {
        const std::string document = Document();
        if (!out) return static_cast<sptr_t>(document.size()) + 1;
        if (static_cast<sptr_t>(wParam) <= 0) return 0;
        const size_t count = std::min(document.size(), static_cast<size_t>(wParam) - 1);
        return CopyOut(document.substr(0, count), out);
    }
    case SciMessage::GetLength:
    case SciMessage::GetTextLength:
        return static_cast<sptr_t>(Document().size());
    case SciMessage::GetCharAt: {
        const std::string document = Document();
        const sptr_t position = static_cast<sptr_t>(wParam);
        return position >= 0 && position < static_cast<sptr_t>(document.size())
                   ? static_cast<unsigned char>(document[static_cast<size_t>(position)])
                   : 0;
    }
    case SciMessage::AddText: {
        int anchor = 0;
        int caret = 0;
        Selection(anchor, caret);
        InsertAt(caret, ToWide(TextArg(lParam), static_cast<int>(wParam)));
        return 0;
    }
    case SciMessage::AppendText:
    case SciMessage::InsertText: {
        int anchor = 0;
        int caret = 0;
        Selection(anchor, caret);
        const std::wstring text = message == SciMessage::AppendText ? ToWide(TextArg(lParam), static_cast<int>(wParam))
                                                            : ToWide(TextArg(lParam), -1);
        int at = static_cast<int>(Edit(WM_GETTEXTLENGTH, 0, 0));
        if (message == SciMessage::InsertText)
            at = static_cast<sptr_t>(wParam) < 0 ? caret : UnitsFromBytes(Document(), static_cast<sptr_t>(wParam));
        InsertAt(at, text);
        // The selection stays on the text it covered.
        const int shift = static_cast<int>(text.size());
        Edit(EM_SETSEL, static_cast<WPARAM>(anchor >= at ? anchor + shift : anchor), caret >= at ? caret + shift : caret);
        return 0;
    }
    case SciMessage::ReplaceSel:
        Edit(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(ToWide(TextArg(lParam), -1).c_str()));
        return 0;

    case SciMessage::GetCurrentPos:
    case SciMessage::GetAnchor:
    case SciMessage::GetSelectionStart:
    case SciMessage::GetSelectionEnd: {
        int anchor = 0;
        int caret = 0;
        Selection(anchor, caret);
        const int units = message == SciMessage::GetAnchor || message == SciMessage::GetSelectionStart ? anchor : caret;
        return BytePosition(units);
    }
    case SciMessage::GotoPos:
    case SciMessage::SetSel: {
        const std::string document = Document();
        const int caret = static_cast<sptr_t>(message == SciMessage::GotoPos ? wParam : lParam) < 0
                              ? UnitsFromBytes(document, static_cast<sptr_t>(document.size()))
                              : UnitsFromBytes(document, message == SciMessage::GotoPos ? static_cast<sptr_t>(wParam) : lParam);
        const int anchor = message == SciMessage::GotoPos ? caret : UnitsFromBytes(document, static_cast<sptr_t>(wParam));
        Edit(EM_SETSEL, static_cast<WPARAM>(anchor), caret);
        Edit(EM_SCROLLCARET, 0, 0);
        return 0;
    }
    case SciMessage::GetSelText: {
        int anchor = 0;
        int caret = 0;
        Selection(anchor, caret);
        const std::wstring text = EditText();
        const std::string selected =
            ToBytes(text.substr(static_cast<size_t>(std::min(anchor, caret)),
                                static_cast<size_t>(std::abs(caret - anchor))));
        if (!out) return static_cast<sptr_t>(selected.size()) + 1;
        return CopyOut(selected, out);
    }

    case SciMessage::GetLineCount:
        return static_cast<sptr_t>(LineStarts(Document()).size());
    case SciMessage::LineFromPosition:
        return LineOf(Document(), static_cast<sptr_t>(wParam));
    case SciMessage::PositionFromLine: {
        const std::vector<int> starts = LineStarts(Document());
        const sptr_t line = static_cast<sptr_t>(wParam);
        return line >= 0 && line < static_cast<sptr_t>(starts.size()) ? starts[static_cast<size_t>(line)] : -1;
    }
    case SciMessage::LineLength:
        return static_cast<sptr_t>(LineText(Document(), static_cast<sptr_t>(wParam)).size());
    case SciMessage::GetLineEndPosition: {
        const std::string document = Document();
        const sptr_t line = static_cast<sptr_t>(wParam);
        const std::vector<int> starts = LineStarts(document);
        if (line < 0 || line >= static_cast<sptr_t>(starts.size())) return 0;
        std::string text = LineText(document, line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return starts[static_cast<size_t>(line)] + static_cast<sptr_t>(text.size());
    }
    case SciMessage::GetLine: {
        const std::string text = LineText(Document(), static_cast<sptr_t>(wParam));
        if (out) std::memcpy(out, text.data(), text.size()); // the component adds no terminator
        return static_cast<sptr_t>(text.size());
    }
    case SciMessage::GetCurLine: {
        int anchor = 0;
        int caret = 0;
        Selection(anchor, caret);
        const std::string document = Document();
        const sptr_t caretBytes = BytesFromUnits(EditText(), caret);
        const sptr_t line = LineOf(document, caretBytes);
        const std::string text = LineText(document, line);
        if (!out) return static_cast<sptr_t>(text.size()) + 1;
        if (static_cast<sptr_t>(wParam) <= 0) return 0;
        CopyOut(text.substr(0, std::min(text.size(), static_cast<size_t>(wParam) - 1)), out);
        return caretBytes - LineStarts(document)[static_cast<size_t>(line)];
    }

    case SciMessage::SetLexer:
        m_lexer = static_cast<int>(wParam);
        return 0;
    case SciMessage::GetLexer:
        return m_lexer;
    case SciMessage::Colourise:
        ++m_colouriseCount;
        return 0;
    case SciMessage::SetKeyWords:
        if (wParam < m_keywords.size()) m_keywords[wParam] = TextArg(lParam);
        return 0;
    case SCI_STANDIN_GETKEYWORDS:
        return wParam < m_keywords.size() ? CopyOut(m_keywords[wParam], out) : 0;
    case SCI_STANDIN_GETCOLOURISECOUNT:
        return m_colouriseCount;
    case SCI_STANDIN_GETLASTCALL:
        if (auto* call = reinterpret_cast<StandInCall*>(lParam)) *call = m_lastCall;
        return 0;
    case SCI_STANDIN_SETANSWER:
        m_answer = static_cast<sptr_t>(wParam);
        return 0;
    case SciMessage::SetProperty:
        m_properties[TextArg(static_cast<sptr_t>(wParam))] = TextArg(lParam);
        return 0;
    case SciMessage::GetProperty:
    case SciMessage::GetPropertyExpanded: {
        auto found = m_properties.find(TextArg(static_cast<sptr_t>(wParam)));
        return CopyOut(found != m_properties.end() ? found->second : std::string(), out);
    }
    case SciMessage::GetPropertyInt: {
        auto found = m_properties.find(TextArg(static_cast<sptr_t>(wParam)));
        return found != m_properties.end() && !found->second.empty() ? std::atoi(found->second.c_str()) : lParam;
    }

    case SciMessage::StyleClearAll: {
        const Style base = StyleAt(STYLE_DEFAULT);
        m_styles.clear();
        m_styles.emplace(STYLE_DEFAULT, base);
        return 0;
    }
    case SciMessage::StyleSetFore:
        StyleAt(wParam).fore = static_cast<COLORREF>(lParam);
        return 0;
    case SciMessage::StyleSetBack:
        StyleAt(wParam).back = static_cast<COLORREF>(lParam);
        return 0;
    case SciMessage::StyleSetBold:
        StyleAt(wParam).bold = lParam != 0;
        return 0;
    case SciMessage::StyleSetItalic:
        StyleAt(wParam).italic = lParam != 0;
        return 0;
    case SciMessage::StyleSetSize:
        StyleAt(wParam).size = static_cast<int>(lParam);
        return 0;
    case SciMessage::StyleSetFont:
        StyleAt(wParam).font = TextArg(lParam);
        return 0;
    case SCI_STYLEGETFORE:
        return static_cast<sptr_t>(StyleAt(wParam).fore);
    case SCI_STYLEGETBACK:
        return static_cast<sptr_t>(StyleAt(wParam).back);
    case SCI_STYLEGETBOLD:
        return StyleAt(wParam).bold;
    case SCI_STYLEGETITALIC:
        return StyleAt(wParam).italic;
    case SCI_STYLEGETSIZE:
        return StyleAt(wParam).size;
    case SCI_STYLEGETFONT:
        return CopyOut(StyleAt(wParam).font, out);

    default:
        return m_answer; // a published message the stand-in does not model
    }
}
