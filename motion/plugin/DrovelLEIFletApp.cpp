#include "motion/plugin/DrovelLEIFletApp.h"

#include <string>

#include "motion/plugin/DrovelLEIFletCtrl.h"
#include "motion/plugin/DrovelLEIFletIds.h"
#include "motion/plugin/DrovelLEIFletPropPage.h"
#include "motion/plugin/DrovelLEIFletResources.h"
#include "platform/ui/Module.h"

const ComServer& CDrovelLEIFletApp::Server()
{
    // The registry names are the module's strings 1 and 2.
    static const std::wstring controlName = LoadModuleString(IDS_DROVELLEIFLET);
    static const std::wstring pageName = LoadModuleString(IDS_DROVELLEIFLET_PPG);
    static const ComServer server{
        TypeLibraryId{kDrovelLibraryId, 1, 0},
        {
            ComClass{kDrovelClsid, kDrovelProgId, controlName.c_str(), &CreateComObject<CDrovelLEIFletCtrl>,
                     ControlTraits{kDrovelMiscStatus, kDrovelDispatchIid, kDrovelEventIid, {kDrovelPageClsid}}},
            ComClass{kDrovelPageClsid, kDrovelPageProgId, pageName.c_str(), &CreateComObject<CDrovelLEIFletPropPage>,
                     std::nullopt},
        }};
    return server;
}
