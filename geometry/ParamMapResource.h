#pragma once
// Resource of type "BINARY" that holds the parameter map text.
#define IDR_PARAM_MAP 1004
