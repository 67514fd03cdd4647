#pragma once
// Pages of a tab control: each tab item carries its page window as its
// parameter; the pages are children of the tab control.

#include <windows.h>

void InsertTab(HWND tabs, int index, const wchar_t* text, HWND page);
// Shows the page of the selected tab and hides the others.
void ShowSelectedPage(HWND tabs);
// For the parent's WM_NOTIFY: when `tabs` tells of a new selection, shows
// its page and answers true.
bool ShowPageOnSelectionChange(HWND tabs, LPARAM notification);
// Puts every page that exists at (1, 21) inside the tab control with the
// given size (negative sizes count as 0).
void PlaceTabPages(HWND tabs, int width, int height);
