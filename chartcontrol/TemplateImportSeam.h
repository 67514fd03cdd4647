#pragma once
// Where MakeGroup opens the chart editor's template import ("Make Group")
// for a chart, modally (charteditor/ holds it).

#include <windows.h>
#include <oaidl.h>

#include <string>

// True when the user confirmed the import.
bool RunTemplateImport(HWND parent, IDispatch* application, const std::wstring& chartName,
                       const std::wstring& paramsName);
