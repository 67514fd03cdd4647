#pragma once
// Drives a real popup menu from a test: `open` shows the menu (it returns
// once the menu closes); a thread timer, which runs inside the menu's own
// loop, reads the items and then picks one with the keyboard as a user
// would, or closes the menu without a choice. The chosen command is posted
// to the menu's owner, so the caller pumps messages afterwards.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "testing/uitest/ThreadWindows.h"

struct PopupMenuItem {
    UINT id = 0;
    std::wstring text;
    bool separator = false;
    bool checked = false;
};

struct PopupMenuSeen {
    bool opened = false;
    std::vector<PopupMenuItem> items;
};

namespace popup_menu_driver {

struct Run {
    UINT chooseId = 0;   // 0: close without a choice
    PopupMenuSeen seen;
    int ticks = 0;
    bool keysSent = false;
};

inline Run*& Current()
{
    static Run* run = nullptr;
    return run;
}


inline void ReadItems(HMENU menu, PopupMenuSeen& seen)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        PopupMenuItem item;
        item.id = GetMenuItemID(menu, i);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        item.separator = (state & MF_SEPARATOR) != 0;
        item.checked = (state & MF_CHECKED) != 0;
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        item.text = text;
        seen.items.push_back(item);
    }
}

inline void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    Run* run = Current();
    if (!run) {
        KillTimer(nullptr, timer);
        return;
    }
    // A menu that ignores the keys is closed anyway, so a test never hangs.
    if (++run->ticks > 500) {
        EndMenu();
        return;
    }
    HWND window = FindShownThreadWindow([](HWND hwnd) { return WindowClassName(hwnd) == L"#32768"; });
    if (!window || run->keysSent)
        return;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    if (!menu)
        return;
    run->seen.opened = true;
    ReadItems(menu, run->seen);
    run->keysSent = true;
    int downs = 0;
    bool found = false;
    for (const PopupMenuItem& item : run->seen.items) {
        if (item.separator)
            continue;
        ++downs;
        if (item.id == run->chooseId) {
            found = true;
            break;
        }
    }
    if (!found) {
        EndMenu();
        return;
    }
    for (int i = 0; i < downs; ++i)
        PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(window, WM_CHAR, L'\r', 0);
}

}  // namespace popup_menu_driver

// Chooses the item with command `chooseId` (0: none) from the menu that
// `open` shows.
inline PopupMenuSeen ChooseFromPopupMenu(const std::function<void()>& open, UINT chooseId)
{
    popup_menu_driver::Run run;
    run.chooseId = chooseId;
    popup_menu_driver::Current() = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &popup_menu_driver::OnTick);
    open();
    KillTimer(nullptr, timer);
    popup_menu_driver::Current() = nullptr;
    return run.seen;
}
