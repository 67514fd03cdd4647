#pragma once
// The plug-in module's start-up, done at the first export call rather than
// while the loader lock is held.

#include <windows.h>

// The module's own handle, for its resources.
HMODULE VantreModuleHandle();
void SetVantreModuleHandle(HMODULE module);

// Host version, GDI+ and the parameter map, once per process. Safe from
// any thread; never throws.
void EnsureVantreStarted();

// The host's build number from the "Comments" string of its version block.
int ReadHostVersion();
