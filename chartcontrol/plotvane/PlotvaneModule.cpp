// Plotvane.ocx: the chart control's module, one class behind the four
// exports. The module starts up with its first control, never inside DllMain.
#include "chartcontrol/QuillonCtrl.h"
#include "platform/activex/ServerExports.h"

IMPLEMENT_SERVER_EXPORTS(QuillonServer())
