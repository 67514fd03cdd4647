#pragma once
// Resources of the parameter panel, carried by the module that links it.
#define IDD_PARAM_PANEL 1001
#define IDC_PARAM_LIST 103
#define IDC_PARAM_DRAG 1003
