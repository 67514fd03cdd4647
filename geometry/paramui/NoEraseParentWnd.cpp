#include "geometry/paramui/NoEraseParentWnd.h"

#include "geometry/ShapeWriteFlag.h"

bool CNoEraseParentWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_ERASEBKGND && g_shapeWriteActive) {
        result = 1;
        return true;
    }
    return CWnd::OnMessage(msg, wParam, lParam, result);
}
