#pragma once
// What a test reads from a drop-down list and what it does to one as a user.

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

// In the list's own order (lists of names are sorted by the system's rules).
inline std::vector<std::wstring> ComboItems(HWND list)
{
    std::vector<std::wstring> items;
    const int count = static_cast<int>(::SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(::SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<size_t>(::SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0]))));
        items.push_back(item);
    }
    return items;
}

inline std::multiset<std::wstring> ComboItemSet(HWND list)
{
    const std::vector<std::wstring> items = ComboItems(list);
    return std::multiset<std::wstring>(items.begin(), items.end());
}

// The selected item's text; "(none)" without a selection.
inline std::wstring ComboSelection(HWND list)
{
    const int index = static_cast<int>(::SendMessageW(list, CB_GETCURSEL, 0, 0));
    return index < 0 ? L"(none)" : ComboItems(list).at(static_cast<size_t>(index));
}

// Opens the list (its dialog fills it) and closes it again.
inline void DropDown(HWND list)
{
    ::SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
    ::SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
}

// Picks the item of exactly that text, telling the dialog as the list does.
inline void Pick(HWND list, const std::wstring& item)
{
    const std::vector<std::wstring> items = ComboItems(list);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == item) {
            ::SendMessageW(list, CB_SETCURSEL, i, 0);
            ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list));
            return;
        }
    ADD_FAILURE() << "no item " << testing::PrintToString(item);
}
