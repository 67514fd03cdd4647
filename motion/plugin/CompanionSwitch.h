#pragma once
// Switching a movie element between its source movie and the companion
// movie that carries the motion-control script.

#include <string>

#include <windows.h>

namespace drovel {
class CHostElement;
}

// Writes the companion beside the source and points the element at it. When
// the element already plays a companion whose source is there, that source
// is used, so no companion of a companion is made. The writer's result;
// the element keeps its file when it fails. Host errors pass as CHostException.
HRESULT SwitchCompanionOn(drovel::CHostElement& element, const std::wstring& script, const std::wstring& variable,
                          const std::wstring& scriptId);

// Points an element that plays a companion back at its source: S_OK.
// S_FALSE when its file is no companion (nothing to switch),
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) when the source is gone (the
// element keeps the companion). Host errors pass as CHostException.
HRESULT SwitchCompanionOff(drovel::CHostElement& element);
