#pragma once
// Resources of the setup dialog and its styles editor.
#define IDD_SETUP 209
#define IDD_EMPTY_VIEW 210
#define IDD_SETUP_STYLES 213

// Catalogue ("Style Attributes").
#define IDC_ATTRIBUTE_NAME 219
#define IDC_ATTRIBUTE_TYPE 208
#define IDC_ATTRIBUTE_LIST 214
#define IDC_ATTRIBUTE_ADD 215
#define IDC_ATTRIBUTE_DEL 216
#define IDC_ATTRIBUTE_UPDATE 218

// Styles.
#define IDC_STYLE_NAME 207
#define IDC_STYLE_LIST 205
#define IDC_STYLE_ATTRIBUTE 220
#define IDC_STYLE_VALUE 209
#define IDC_STYLE_ATTRIBUTES 213
#define IDC_STYLE_ADD 204
#define IDC_STYLE_DEL 211
#define IDC_STYLE_UPDATE 212
