#include "geometry/paramui/PopupTrack.h"

#include <algorithm>

#include "geometry/paramui/TrackMessages.h"

namespace {

constexpr size_t kMaxOptionLength = 1020;
const wchar_t kSeparator[] = L"(-";

}  // namespace

CAEPopupTrack::CAEPopupTrack(CWnd& listBox, std::wstring name, int* value, const std::wstring& options,
                             int paramId, int flags)
    : CAETrack(listBox, std::move(name), value, flags, kTrackPopup, paramId)
{
    size_t start = 0;
    for (;;) {
        const size_t bar = options.find(L'|', start);
        if (bar == std::wstring::npos) {
            if (start < options.size())
                m_options.push_back(options.substr(start, kMaxOptionLength));
            break;
        }
        m_options.push_back(options.substr(start, std::min(bar - start, kMaxOptionLength)));
        start = bar + 1;
    }
}

size_t CAEPopupTrack::CurrentOption() const
{
    const int number = Value() ? *Value() : 0;
    return number >= 1 && static_cast<size_t>(number) <= m_options.size() ? static_cast<size_t>(number - 1) : 0;
}

void CAEPopupTrack::DrawControls(HFONT font, HDC dc, const RECT& row)
{
    DrawPixelPattern(dc, row.left + Indent() + 6, row.top + 5, GreyMark());
    const HGDIOBJ old = SelectObject(dc, font);
    int widest = 0;
    for (const std::wstring& option : m_options)
        widest = std::max<int>(widest, TextExtent(dc, option).cx);
    const RECT box{row.left + kColumn2, row.top + 1, row.left + kColumn2 + widest + 30, row.top + 14};
    DrawControlBox(dc, box, false);
    if (!m_options.empty()) {
        const std::wstring& text = m_options[CurrentOption()];
        const SIZE size = TextExtent(dc, text);
        DrawTextAt(dc, box.left + 12, box.bottom - size.cy, text, RGB(0, 0, 0));
    }
    // The arrow: tip at (right - 8, top + 7), three rows widening upwards.
    for (int up = 0; up < 3; ++up)
        FillSolid(dc, {box.right - 8 - up, box.top + 7 - up, box.right - 7 + up, box.top + 8 - up}, RGB(0, 0, 0));
    SelectObject(dc, old);
    m_box = EntryRelative(box, row);
}

bool CAEPopupTrack::OnMouseDown(POINT point)
{
    if (!PtInRect(&m_box, point) || m_options.empty())
        return false;
    OnBeforeMenu();
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return false;
    const std::wstring& current = m_options[CurrentOption()];
    for (size_t i = 0; i < m_options.size(); ++i) {
        const UINT id = kFirstOptionCommand + static_cast<UINT>(i);
        if (m_options[i] == kSeparator)
            AppendMenuW(menu, MF_SEPARATOR, id, nullptr);
        else
            AppendMenuW(menu, MF_STRING | (m_options[i] == current ? MF_CHECKED : 0), id, m_options[i].c_str());
    }
    RECT entry{};
    Notify(UM_SETMENUTARGET, reinterpret_cast<LPARAM>(&entry));
    POINT at{entry.left + m_box.left, entry.top};
    HWND owner = ListBoxWindow();
    ClientToScreen(owner, &at);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, owner, nullptr);
    DestroyMenu(menu);
    return false;
}

void CAEPopupTrack::OnMenuCommand(UINT id)
{
    if (SetOptionFromCommand(id))
        OnValueChanged();
}

bool CAEPopupTrack::SetOptionFromCommand(UINT id)
{
    const UINT option = id - kFirstOptionCommand;
    int* value = Value();
    if (!value || id < kFirstOptionCommand || option >= m_options.size() || m_options[option] == kSeparator)
        return false;
    *value = static_cast<int>(option) + 1;
    return true;
}

void CAEPopupTrack::OnBeforeMenu() {}
