// A plug-in-like DLL that shows the About box from its own code.
#include "common/about/AboutDialog.h"

extern "C" __declspec(dllexport) void ShowModuleAboutBox(HWND owner)
{
    CAboutDialog about(owner);
    about.DoModal();
}
