#include "platform/ui/TabPages.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<HWND> Pages(HWND tabs)
{
    std::vector<HWND> pages;
    const int count = static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TCITEMW item = {};
        item.mask = TCIF_PARAM;
        ::SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        pages.push_back(reinterpret_cast<HWND>(item.lParam));
    }
    return pages;
}

}  // namespace

void InsertTab(HWND tabs, int index, const wchar_t* text, HWND page)
{
    TCITEMW item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<wchar_t*>(text);
    item.lParam = reinterpret_cast<LPARAM>(page);
    ::SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}

void ShowSelectedPage(HWND tabs)
{
    const int selected = static_cast<int>(::SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    const std::vector<HWND> pages = Pages(tabs);
    for (int i = 0; i < static_cast<int>(pages.size()); ++i)
        if (::IsWindow(pages[i]))
            ::ShowWindow(pages[i], i == selected ? SW_SHOW : SW_HIDE);
}

bool ShowPageOnSelectionChange(HWND tabs, LPARAM notification)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(notification);
    if (!tabs || !header || header->hwndFrom != tabs || header->code != TCN_SELCHANGE)
        return false;
    ShowSelectedPage(tabs);
    return true;
}

void PlaceTabPages(HWND tabs, int width, int height)
{
    for (HWND page : Pages(tabs))
        if (::IsWindow(page))
            ::MoveWindow(page, 1, 21, std::max(width, 0), std::max(height, 0), TRUE);
}
