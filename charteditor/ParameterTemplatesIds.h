#pragma once
// Resources of the template import ("Make Group").
#define IDD_ADD_PARAMETER_TEMPLATES 218
#define IDC_TEMPLATE_NODE_NAME 237
// Template scenes of type "BINARY", by the host's build.
#define IDR_TEMPLATES_LATER_BUILDS 221
#define IDR_TEMPLATES_UP_TO_1431 228
