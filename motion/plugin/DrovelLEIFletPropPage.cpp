#include "motion/plugin/DrovelLEIFletPropPage.h"

#include "motion/plugin/DrovelLEIFletResources.h"

CDrovelLEIFletPropPage::CDrovelLEIFletPropPage(const ComServer&, const ComClass&)
    : CActiveXPropertyPage(IDD_PROPPAGE_DROVELLEIFLET, IDS_DROVELLEIFLET_PPG_CAPTION)
{
}
