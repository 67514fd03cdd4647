#pragma once
// The chart control's log. Lines go to the editor's log page (the log target
// of common/logwindow) while one exists; otherwise they are dropped.

#include "common/logwindow/LogLine.h"

// printf-style with the Windows meaning of %s (a wide string).
void PostLogLine(const wchar_t* format, ...);
