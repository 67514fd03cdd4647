#pragma once
// The private messages between the parameter rows, their list box and the
// panel. A row sends them to its list box with itself as wParam (0 for
// UM_CLEARSELECTION); the list box forwards some to its parent.

#include <windows.h>

constexpr UINT UM_CLEARSELECTION = WM_USER + 19;
constexpr UINT UM_EXPANDGROUP = WM_USER + 20;      // lParam: the group's hidden rows
constexpr UINT UM_COLLAPSEGROUP = WM_USER + 21;    // lParam: the group's hidden rows
constexpr UINT UM_MAINROWCLICKED = WM_USER + 22;
constexpr UINT UM_SETMENUTARGET = WM_USER + 23;    // lParam: RECT* filled with the row's entry
constexpr UINT UM_REMEASUREROW = WM_USER + 24;
constexpr UINT UM_BEGINDRAG = WM_USER + 25;        // lParam: kDragCursor or kCrossCursor
constexpr UINT UM_MAINROWCHECK = WM_USER + 30;     // lParam: the new check state
constexpr UINT UM_VALUECHANGED = WM_USER + 33;     // forwarded
constexpr UINT UM_LOADCLICKED = WM_USER + 39;      // forwarded
constexpr UINT UM_ABOUTCLICKED = WM_USER + 40;
constexpr UINT UM_SELECTROW = WM_USER + 44;
constexpr UINT UM_SELECTIONCLEARED = WM_USER + 45; // list box to its parent
constexpr UINT UM_PLACEEDITOR = WM_USER + 50;      // posted by the list box to itself
constexpr UINT UM_SAVECLICKED = WM_USER + 51;      // forwarded
constexpr UINT kFirstTrackMessage = UM_CLEARSELECTION;
constexpr UINT kLastTrackMessage = UM_SAVECLICKED;

constexpr LPARAM kDragCursor = 1;
constexpr LPARAM kCrossCursor = 2;

// Commands of a row's option menu: option i is kFirstOptionCommand + i.
constexpr UINT kFirstOptionCommand = 1001;
constexpr UINT kLastOptionCommand = 1040;
