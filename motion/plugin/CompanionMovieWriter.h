#pragma once
// Writes the companion movie of a source AVI: one DRVL video stream whose
// frame 0 carries the motion-control script and every later frame an index
// record, so that playing it through the codec runs the script.

#include <windows.h>

// `companionPath` receives the companion's full path before any file is
// touched (empty when the source path cannot have one). A result of zero or
// more means every frame was written. Values that do not fit their record
// field are refused with E_INVALIDARG (names) or
// HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE) (paths); nothing is cut.
HRESULT WriteCompanionMovie(const wchar_t* sourcePath, wchar_t (&companionPath)[MAX_PATH],
                            const wchar_t* script, const wchar_t* variable,
                            const wchar_t* scriptId);
