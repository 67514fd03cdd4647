#pragma once
// Resources of the chart editor's window, its view and the chart pages.

// The editor window with the maker's logo, and its toolbar.
#define IDD_QUILLON_DIALOG 201
#define IDC_QUILLON_LOGO 202
#define IDB_QUILLON_LOGO 207
#define IDB_QUILLON_TOOLBAR_DISABLED 203
#define IDB_QUILLON_TOOLBAR_NORMAL 204
#define IDB_QUILLON_TOOLBAR_HOT 206
#define ID_QUILLON_CONFIG 32769
#define ID_QUILLON_HELP 32770

// The view with the "Charts" and "Log" tabs.
#define IDD_QUILLON_VIEW 203
#define IDC_VIEW_TABS 206

// The "Charts" tab with one tab per chart kind.
#define IDD_CHARTS 214
#define IDC_CHART_TABS 206

// Controls the chart pages share.
#define IDC_CHART_GROUP 225
#define IDC_CHART_TRANSITION 232
#define IDC_CHART_ENABLE 234

// The pie chart page.
#define IDD_PIE_CHART 215
#define IDC_PIE_START_FRAME 223
#define IDC_PIE_END_FRAME 226
#define IDC_PIE_ORDERING 230

// The bar chart page.
#define IDD_BAR_CHART 216
#define IDC_BAR_STYLE 206
#define IDC_BAR_ORIENTATION 208
#define IDC_BAR_CHAIN 235

// The line chart page.
#define IDD_LINE_CHART 217
#define IDC_LINE_NODE 236
#define IDC_LINE_REDRAW 235
#define IDC_LINE_ADD_TEMPLATES 201
#define IDC_LINE_LABEL_KEYFRAMES 202
