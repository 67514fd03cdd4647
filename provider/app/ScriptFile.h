#pragma once
// Script files on disk: UTF-8 text, read back also from files in the
// system's ANSI code page (older scripts), so nothing typed is lost.

#include <optional>
#include <string>

// The file's text; nothing when it cannot be read. Bytes that are valid
// UTF-8 are taken as UTF-8 (a byte-order mark is skipped), others as ANSI.
// Zero bytes are dropped: a script cannot hold them.
std::optional<std::wstring> ReadScriptFile(const std::wstring& path);
// Writes the text as UTF-8 without byte-order mark; false when it could
// not be written.
bool WriteScriptFile(const std::wstring& path, const std::wstring& text);
