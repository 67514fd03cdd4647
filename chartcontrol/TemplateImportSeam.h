#pragma once
// Where MakeGroup opens the chart editor's template import ("Make Group")
// for a chart. The import is a part of its own; until it is built the
// command goes on as after OK without showing anything.

#include <windows.h>
#include <oaidl.h>

#include <string>

// True when the user confirmed the import.
bool RunTemplateImport(HWND parent, IDispatch* application, const std::wstring& chartName,
                       const std::wstring& paramsName);
