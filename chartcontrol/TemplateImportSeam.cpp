#include "chartcontrol/TemplateImportSeam.h"

bool RunTemplateImport(HWND, IDispatch*, const std::wstring&, const std::wstring&)
{
    return true;
}
