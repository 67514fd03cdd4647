#pragma once
#include <string>
#include <windows.h>

// A new GUID in braced registry form, e.g. "{0F1E...}" (38 characters).
HRESULT MakeGuidString(std::wstring& out);
