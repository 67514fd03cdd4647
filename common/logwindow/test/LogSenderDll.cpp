// A second module that logs to a page of the program: the line it allocates
// is freed by the page's module.
#include "common/logwindow/LogLine.h"

extern "C" __declspec(dllexport) BOOL PostLineFromModule(HWND page, const wchar_t* line)
{
    return PostLogText(page, line);
}
