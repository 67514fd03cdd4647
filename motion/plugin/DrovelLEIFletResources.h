#pragma once
// Resources of DrovelLEIFlet.ocx, shared by its .rc, its code and its tests.

#define IDS_DROVELLEIFLET 1         // the control's type name
#define IDS_DROVELLEIFLET_PPG 2     // the property page's name
#define IDD_PROPPAGE_DROVELLEIFLET 200
#define IDS_DROVELLEIFLET_PPG_CAPTION 200

#define IDD_DROVEL_EDITOR 201
#define IDC_DROVEL_ENABLE 201
#define IDC_DROVEL_VARIABLE 203
#define IDC_DROVEL_SCRIPT 204       // the script editor, made at run time
#define IDC_DROVEL_SCRIPT_ID 205
