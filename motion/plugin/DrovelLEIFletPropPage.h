#pragma once
// CDrovelLEIFletPropPage: the control's property page, titled "General".
// The control has no properties of its own, so the page shows and
// exchanges nothing.

#include "platform/activex/ComServer.h"
#include "platform/activex/PropertyPage.h"

class CDrovelLEIFletPropPage final : public CActiveXPropertyPage {
public:
    CDrovelLEIFletPropPage(const ComServer& server, const ComClass& type);
};
