#pragma once
// The one conversion between wide (UTF-16) text and 8-bit text of a code
// page: CP_UTF8 for files, consoles and the editor component, CP_ACP for the
// system's ANSI interfaces, or any other code page a peer speaks. Inputs are
// counted, so embedded NULs convert too; the results never need a terminator
// of their own.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Characters the code page lacks become a look-alike or its default
// character, and invalid input its replacement; a conversion the system
// refuses gives an empty text.
std::string WideToNarrow(std::wstring_view text, UINT codePage);
std::wstring NarrowToWide(std::string_view bytes, UINT codePage);

// Nothing unless every character has its own exact counterpart: no
// look-alike, no default character, no replacement of unpaired surrogates or
// of bytes the code page does not define.
std::optional<std::string> ExactWideToNarrow(std::wstring_view text, UINT codePage);
std::optional<std::wstring> ExactNarrowToWide(std::string_view bytes, UINT codePage);
