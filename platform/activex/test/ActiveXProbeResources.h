#pragma once
// Resources of the probe's property page, shared by its .rc and the tests.

#define IDD_PROBE_PAGE 100
#define IDS_PROBE_PAGE_TITLE 100
#define IDC_PROBE_PAGE_LABEL 101
