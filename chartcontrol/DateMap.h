#pragma once
// The date map: replacements applied to every formatted date label, read
// from a text file of "key=value" lines.

#include <map>
#include <string>

using DateMap = std::map<std::wstring, std::wstring>;

// Lines in the system code page, read in pieces of at most 1023 bytes, with
// every CR and LF removed; each splits at its first "=" (key and value may be
// empty), a line without one is ignored, a later key replaces an earlier one.
// A missing file gives an empty map.
void LoadDateMap(const std::wstring& path, DateMap& map);

// Every entry, in ascending key order, replaces each occurrence of its key
// with its value; then every "<" and ">" is removed. An empty key replaces
// nothing, and a replacement is never searched again, so "a=aa" ends.
std::wstring ApplyDateMap(const std::wstring& text, const DateMap& map);
