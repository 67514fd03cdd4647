#pragma once
// Where the control opens the chart editor in its frame window. The editor
// is a part of its own; until it is built no window is made.

#include <windows.h>
#include <oaidl.h>

// The editor window, shown, as a child of `parent`; null when none was made.
HWND CreateEditorWindow(HWND parent, IDispatch* application);
