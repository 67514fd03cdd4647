#include "chartcontrol/EditorWindowSeam.h"

HWND CreateEditorWindow(HWND, IDispatch*)
{
    return nullptr;
}
