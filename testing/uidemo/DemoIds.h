#pragma once
#define IDD_DEMO_LOG 400
#define IDC_DEMO_LOGO 401
