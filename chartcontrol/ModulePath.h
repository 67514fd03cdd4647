#pragma once
// Where the control's own module file lies: the provider list and the date
// map are read from beside it.

#include <string>

// Full long-form path of the module (DLL or EXE) that holds this code.
bool GetOcxPath(std::wstring& path);

// The module's folder with `fileName` appended, e.g. "providers.xml".
bool GetOcxSiblingPath(const wchar_t* fileName, std::wstring& path);

// Every component of an existing `path` in its long form; false when a
// component does not exist.
bool ExpandToLongPath(const std::wstring& path, std::wstring& longPath);
