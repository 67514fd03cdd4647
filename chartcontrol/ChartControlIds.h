#pragma once
// Resources of the chart control's own dialogs.
#define IDD_ADD_AXIS_LABELS 240
#define IDC_LABEL_TEMPLATES 1240
#define IDC_LABEL_COUNT 1241
