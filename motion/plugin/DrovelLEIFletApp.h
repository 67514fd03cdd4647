#pragma once
// CDrovelLEIFletApp: the DrovelLEIFlet module as COM sees it, the control
// class and its property page behind the four exports, and the type
// library embedded in the module. The module has no start-up of its own.

#include "platform/activex/ComServer.h"

class CDrovelLEIFletApp {
public:
    static const ComServer& Server();
};
