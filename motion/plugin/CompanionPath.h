#pragma once
// The file-name rule linking a source movie and its companion:
// C:\media\clip.avi <-> C:\media\clip_Drovel.avi.

#include <string>
#include <windows.h>

// Fills `companion` (MAX_PATH units) with the companion's path. False, with an
// empty `companion`, when the path does not split or the result would not fit.
bool MakeCompanionPath(const wchar_t* sourcePath, wchar_t (&companion)[MAX_PATH]);

// The source movie's path for a companion's path; false when the base name
// does not end in the companion suffix (or is nothing but the suffix).
bool SourcePathOfCompanion(const std::wstring& companionPath, std::wstring& sourcePath);
