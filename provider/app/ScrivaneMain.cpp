// Scrivane: the data provider program. Loads the editing component, then
// runs the main window until the user closes it.
#include "provider/server/SocketListener.h"  // first: winsock2.h before windows.h

#include <commctrl.h>

#include "base/com/ScopedComApartment.h"
#include "base/com/ThreadClassCache.h"
#include "base/win/UniqueHandle.h"
#include "platform/net/WinsockRuntime.h"
#include "platform/ui/UserPrompts.h"
#include "provider/SetupIni.h"
#include "provider/app/ProgramRegistryKey.h"
#include "provider/app/ProviderDialog.h"
#include "provider/app/ThreadFailureExit.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // A program that can no longer serve must not keep the port.
    const CThreadFailureExit endOnFailure;
    UniqueModule editor(LoadLibraryW((GetProgramFolder() + L"SciLexer.dll").c_str()));
    if (!editor) {
        ShowMessageBox(nullptr, L"Failed to load SciLexer.dll");
        return 1;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    SetRegistryKey(L"ODBC Provider");  // a program that cannot create it runs all the same
    EnsureWinsockStarted();
    const ScopedComApartment com;
    // Every request makes a script engine, a Scrivane object and a SAX
    // reader; their classes and type library are looked up once.
    const CThreadClassCache classes;

    CODBCProviderDlg dialog;
    dialog.DoModal();
    return 0;
}
