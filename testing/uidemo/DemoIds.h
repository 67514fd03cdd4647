#pragma once
#define IDD_DEMO_LOG 400
#define IDC_DEMO_LOGO 401
#define IDD_DEMO_SMS 402
#define IDD_DEMO_EDITOR_FRAME 403
