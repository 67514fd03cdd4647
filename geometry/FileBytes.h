#pragma once
// Whole-file reads with a size bound, and writes that replace the target
// only once the new content is complete on disk.

#include <cstddef>
#include <string>

// False when the file cannot be opened or read, or is larger than maxSize.
bool ReadFileBytes(const wchar_t* path, size_t maxSize, std::string& bytes);
// Writes to a sibling temporary file, then moves it over `path`.
bool WriteFileReplacing(const wchar_t* path, const std::string& bytes);
