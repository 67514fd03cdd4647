#pragma once
// Where the control opens the chart editor (charteditor/) in its frame window.

#include <windows.h>
#include <oaidl.h>

// The editor window, shown, as a child of `parent`; null when none was made.
HWND CreateEditorWindow(HWND parent, IDispatch* application);

// To the editor window with wParam 0 (and lParam 0): load the chart document
// again from the active scene.
constexpr UINT kEditorReload = WM_USER + 1;
