// A DLL whose dialog template exists nowhere else in the process.
#include "platform/ui/Dialog.h"
#include "TestDialogIds.h"

extern "C" __declspec(dllexport) BOOL CreateModuleOnlyDialog()
{
    CDialog dialog(IDD_MODULE_ONLY_DIALOG);
    return dialog.Create() && dialog.GetItem(IDC_MODULE_ONLY_EDIT) != nullptr;
}
