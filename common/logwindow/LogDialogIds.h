#pragma once
#define IDD_LOG_PAGE 136
#define IDC_LOG_EDIT 201
#define IDC_LOG_CLEAR 202
#define IDC_LOG_SAVE 203
