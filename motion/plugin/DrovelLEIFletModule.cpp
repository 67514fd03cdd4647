// DrovelLEIFlet.ocx: the motion plug-in's module, its classes behind the
// four exports.
#include "motion/plugin/DrovelLEIFletApp.h"
#include "platform/activex/ServerExports.h"

IMPLEMENT_SERVER_EXPORTS(CDrovelLEIFletApp::Server())
